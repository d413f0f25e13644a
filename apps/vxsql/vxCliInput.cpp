#include "vxCliInput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <iterator>
#include <memory>

namespace {

// A UTF-8 byte-order mark (which editors on Windows put at the start of a file) is no part of
// the statement.
std::string WithoutByteOrderMark(std::string Text) {
  if (Text.starts_with("\xEF\xBB\xBF")) Text.erase(0, 3);
  return Text;
}

}  // namespace

TvxCliInput TvxCliInput::Read(const std::string& FileName, std::istream& StdIn) {
  if (FileName == "-") {
    std::string Text{std::istreambuf_iterator<char>(StdIn), std::istreambuf_iterator<char>()};
    if (StdIn.bad()) throw EvxCliInputError("cannot read standard input");
    return TvxCliInput("<stdin>", WithoutByteOrderMark(std::move(Text)));
  }
  // stdio rather than ifstream: it keeps errno, so the message can say why (a directory opens
  // but fails on the first read with EISDIR).
  auto Fail = [&FileName](int Error) {
    return EvxCliInputError("cannot read '" + FileName + "': " + std::strerror(Error));
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> File(std::fopen(FileName.c_str(), "rb"), &std::fclose);
  if (!File) throw Fail(errno);
  std::string Text;
  char Chunk[65536];
  for (;;) {
    size_t Count = std::fread(Chunk, 1, sizeof Chunk, File.get());
    Text.append(Chunk, Count);
    if (Count < sizeof Chunk) break;
  }
  if (std::ferror(File.get())) throw Fail(errno);
  return TvxCliInput(FileName, WithoutByteOrderMark(std::move(Text)));
}
