// How a self-test reports a failure: a check that does not hold throws UnitTestException with
// one text naming the source file (the name after its last slash or backslash), the line, the
// condition as written and a message, either of which may be empty. The self-test object turns
// the exception into the failed run's message.
#pragma once

#include <exception>
#include <string_view>

#include "core/quor_string.h"

class UnitTestException : public std::exception {
 public:
  explicit UnitTestException(Quor::String text) : m_text(std::move(text)) {}
  const Quor::String& Text() const { return m_text; }
  const char* what() const noexcept override { return "self-test check failed"; }

 private:
  Quor::String m_text;
};

// "file, Line n [condition], [message]": the bracketed parts only when not empty.
Quor::String FormatFailureText(std::string_view sourcePath, long line, std::string_view condition,
                               const Quor::String& message);

[[noreturn]] void ThrowUnitTestFailure(std::string_view sourcePath, long line,
                                       std::string_view condition, const Quor::String& message);

// Checks `condition`; on failure throws with its text and `message` (any Quor::String).
#define UNIT_TEST_CHECK_MESSAGE(condition, message)                                   \
  do {                                                                                \
    if (!(condition)) ThrowUnitTestFailure(__FILE__, __LINE__, #condition, (message)); \
  } while (false)
#define UNIT_TEST_CHECK(condition) UNIT_TEST_CHECK_MESSAGE(condition, Quor::String())
// Fails with a message only.
#define UNIT_TEST_FAIL(message) ThrowUnitTestFailure(__FILE__, __LINE__, "", (message))
