#include "core/bd/session.h"

#include "core/bd/connection.h"
#include "core/bd/recordset.h"

Connection* Connexion = nullptr;
std::unique_ptr<Recordset> RsCommun;
