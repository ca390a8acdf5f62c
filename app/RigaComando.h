// What the command line asks of the main window at its first activation.
#pragma once
#include <string>
#include <vector>

namespace qx {

// The file name that the command line gives: the first parameter; with more than two
// parameters every one from the second on is appended after one blank (a name with a blank
// arrives split in two, then a third word), with exactly two the second is ignored.
std::string TestoRigaComando(const std::vector<std::string>& parametri);

// Whether the text names a program file: its last three characters, upper-cased, are
// "QXS" or "QXA".
bool IsFileProgramma(const std::string& testo);

}  // namespace qx
