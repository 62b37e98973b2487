#pragma once

#include <memory>

class Connection;
class Recordset;

// The program's one database connection, open from start-up to the end, and the record set its
// windows share for short reads.
extern Connection* Connexion;
extern std::unique_ptr<Recordset> RsCommun;
