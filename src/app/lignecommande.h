#pragma once

#include <QString>
#include <optional>

// Brevanta's command line, in French: --base CHEMIN|ADRESSE, --help, --version.
namespace LigneCommande {
// Answers --help and --version before any window, so that they need no display: the status to
// end with, or nothing when the program is to start.
std::optional<int> repondre(int argc, char* argv[]);
// Once the application has taken its own options: false, after saying why on standard error,
// when what is left is not Brevanta's.
bool valide();
// The base that --base names, else empty.
QString base();
} // namespace LigneCommande
