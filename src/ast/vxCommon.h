// Foundation types shared by the whole core: the project's exceptions, the one place where
// text is case-folded, the string list and the small variant used by constants.
#pragma once

#include "vxCompactString.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The framework root object. Model objects, loader contexts and anything else the tree
// refers to without knowing its type derive from it, so links stay typed and can be
// inspected with dynamic_cast.
class TvxObject {
public:
  virtual ~TvxObject() = default;
};

// The general exception: misuse and unsupported requests, with fixed English messages.
class EvxException : public std::runtime_error {
public:
  explicit EvxException(const std::string& Message) : std::runtime_error(Message) {}
  std::string GetMessage() const { return what(); }
};

// Reading or writing a list outside its bounds.
class EvxListError : public EvxException {
public:
  explicit EvxListError(const std::string& Message) : EvxException(Message) {}
  static EvxListError IndexOutOfBounds(long long Index);
};

// A dialect left out an operation that its caller relies on.
class EvxAbstractError : public EvxException {
public:
  EvxAbstractError() : EvxException("Abstract Error") {}
};

// Assign between objects that do not know each other.
class EvxConvertError : public EvxException {
public:
  EvxConvertError(std::string_view SourceClass, std::string_view TargetClass);
};

namespace vx {

// Case folding of the core. Only ASCII letters fold; every other byte (UTF-8 included)
// passes through unchanged, so names round-trip and no locale can change keyword matching.
char UpperChar(char C);
char LowerChar(char C);
std::string UpperCase(std::string_view Text);
std::string LowerCase(std::string_view Text);
bool SameText(std::string_view A, std::string_view B);

// Upper-cases everything except the inside of string literals ('...') and delimited names
// ("..." and [...]): two texts that differ only there are different SQL.
std::string UpperCaseOutsideQuotes(std::string_view Text);

}  // namespace vx

// An ordered list of strings with the look-ups the tree and the model use.
class TvxStringList {
public:
  TvxStringList() = default;
  TvxStringList(std::initializer_list<std::string> Items) : FItems(Items) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsEmpty() const { return FItems.empty(); }
  const std::string& operator[](int Index) const;  // EvxListError when out of range
  void Set(int Index, std::string Value);          // EvxListError when out of range
  int Add(std::string Value);                      // returns the new index
  void Insert(int Index, std::string Value);
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  int IndexOf(std::string_view Value) const;       // case-insensitive, -1 when absent
  int IndexOfExact(std::string_view Value) const;  // case-sensitive, -1 when absent
  bool Contains(std::string_view Value) const { return IndexOf(Value) >= 0; }
  std::string Join(std::string_view Separator) const;

  const std::vector<std::string>& Items() const { return FItems; }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }
  bool operator==(const TvxStringList&) const = default;

private:
  std::vector<std::string> FItems;
};

// The value of a constant: nothing, text, a boolean or an integer. Text converts to itself;
// booleans convert to "True" and "False", the framework's default texts for them.
class TvxVariant {
public:
  TvxVariant() = default;
  TvxVariant(std::string_view Text) : FText(Text), FKind(TKind::Text) {}
  TvxVariant(const char* Text) : TvxVariant(std::string_view(Text)) {}
  TvxVariant(bool Value) : FNumber(Value), FKind(TKind::Boolean) {}
  TvxVariant(int64_t Value) : FNumber(Value), FKind(TKind::Integer) {}
  TvxVariant(int Value) : TvxVariant(int64_t{Value}) {}

  bool IsEmpty() const { return FKind == TKind::Empty; }
  bool IsText() const { return FKind == TKind::Text; }
  bool IsBoolean() const { return FKind == TKind::Boolean; }
  bool IsInteger() const { return FKind == TKind::Integer; }
  bool GetBoolean() const;  // EvxException when the value is not a boolean
  // The text of a text value, empty for the others; the view lasts until the value changes.
  std::string_view GetText() const { return FText.GetView(); }
  std::string ToString() const;
  bool operator==(const TvxVariant&) const = default;

private:
  enum class TKind : uint8_t { Empty, Text, Boolean, Integer };
  // Every literal of a parsed statement is a text value, nearly always short enough to sit
  // inside the compact string: no block and no copy beyond the one from the token.
  TvxCompactString FText;
  int64_t FNumber = 0;  // a boolean as 0 or 1, or the integer
  TKind FKind = TKind::Empty;
};
