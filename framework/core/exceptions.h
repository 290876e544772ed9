// The one exception hierarchy of the system: every error carries its message text.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
  const std::string& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

class EConvertError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EOutOfResources : public Exception { using Exception::Exception; };
// Malformed text: the message ends with " on line N".
class EParserError : public Exception { using Exception::Exception; };
class EClassNotFound : public Exception { using Exception::Exception; };
// A resource a module lacks: "Resource <name> not found".
class EResNotFound : public Exception { using Exception::Exception; };

// printf-style formatting into a std::string.
std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
