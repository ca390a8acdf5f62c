// The exception classes of the editor's text model. Misuse and resource failures raise
// these with fixed English messages; the messages are the system's own texts.
#pragma once
#include <stdexcept>
#include <string>

namespace qx {

// Bad line index of the text buffer.
class ESrcEditStringList : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Misuse of a list's storage (capacity below count, duplicate name in a sorted list).
class EListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, created, read or written.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A key binding whose shortcut pair is already bound in its collection.
class ESynKeyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A method chain asked to add or remove a missing method.
class ESynMethodChain : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qx
