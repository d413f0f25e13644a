// Text helpers of the Qt side: the core speaks UTF-8 std::string, Qt speaks QString.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vx {

inline QString ToQString(std::string_view Text) {
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}
inline std::string FromQString(const QString& Text) { return Text.toStdString(); }

// Text without the leading and trailing blanks and control characters (bytes up to the space),
// as the framework's Trim.
inline std::string_view Trim(std::string_view Text) {
  size_t Begin = 0, End = Text.size();
  while (Begin < End && static_cast<unsigned char>(Text[Begin]) <= ' ') ++Begin;
  while (End > Begin && static_cast<unsigned char>(Text[End - 1]) <= ' ') --End;
  return Text.substr(Begin, End - Begin);
}

}  // namespace vx
