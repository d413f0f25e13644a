// One SQL text for a mode to work on, read whole from a file or from standard input.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>

// A file that cannot be read; the message names the file and the system's reason.
class EvxCliInputError : public std::runtime_error {
public:
  explicit EvxCliInputError(const std::string& Message) : std::runtime_error(Message) {}
};

class TvxCliInput {
public:
  // Reads FileName, or StdIn when FileName is "-". The bytes are kept as they are (no line-end
  // translation), so reported columns match the file; only a UTF-8 byte-order mark at the start
  // is dropped (columns of the first line count from after it, as editors count them). Raises
  // EvxCliInputError.
  static TvxCliInput Read(const std::string& FileName, std::istream& StdIn);

  // The name diagnostics use: the file name, or "<stdin>".
  const std::string& GetName() const { return FName; }
  const std::string& GetText() const { return FText; }

private:
  TvxCliInput(std::string Name, std::string Text) : FName(std::move(Name)), FText(std::move(Text)) {}

  std::string FName;
  std::string FText;
};
