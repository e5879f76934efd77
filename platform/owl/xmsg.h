// The GUI framework's plain message exception.
#pragma once

#include <exception>
#include <string>

class xmsg : public std::exception {
 public:
  explicit xmsg(std::string message) : m_message(std::move(message)) {}
  const char* what() const noexcept override { return m_message.c_str(); }
  const std::string& why() const { return m_message; }

 private:
  std::string m_message;
};
