// The exceptions of the scene graph. Misuse of an object is an orderly exception with a
// message, never a crash: EAssertionFailed for contract violations, EGLContext for the
// rendering context, EOpenGLError for errors that OpenGL reports, and the archive's own.
#pragma once
#include <stdexcept>
#include <string>

namespace qx {

class ESceneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A broken contract; the message defaults to the toolkit's "Assertion failure".
class EAssertionFailed : public ESceneError {
 public:
  explicit EAssertionFailed(const std::string& msg = "Assertion failure") : ESceneError(msg) {}
};
class EGLContext : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EOpenGLError : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
// An operating-system failure ("OS Error : " and the system's text).
class EOSError : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EReadError : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EFilerException : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EInvalidFileSignature : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EListError : public ESceneError {
 public:
  using ESceneError::ESceneError;
};
class EFileNotFound : public ESceneError {
 public:
  using ESceneError::ESceneError;
};

// Raises EAssertionFailed with the message unless the condition holds.
inline void Require(bool condition, const char* msg = "Assertion failure") {
  if (!condition) throw EAssertionFailed(msg);
}

}  // namespace qx
