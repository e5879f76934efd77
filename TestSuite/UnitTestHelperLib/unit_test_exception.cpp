#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"

#include <string>

Quor::String FormatFailureText(std::string_view sourcePath, long line, std::string_view condition,
                               const Quor::String& message) {
  const std::size_t slash = sourcePath.find_last_of("/\\");
  const std::string_view file =
      slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
  // Source names and conditions are narrow text of the ANSI code page.
  Quor::String text(std::string(file).c_str());
  text += Quor::String((", Line " + std::to_string(line)).c_str());
  if (!condition.empty()) {
    text += u" [";
    text += Quor::String(std::string(condition).c_str());
    text += u"]";
  }
  if (!message.IsEmpty()) {
    text += u", [";
    text += message;
    text += u"]";
  }
  return text;
}

void ThrowUnitTestFailure(std::string_view sourcePath, long line, std::string_view condition,
                          const Quor::String& message) {
  throw UnitTestException(FormatFailureText(sourcePath, line, condition, message));
}
