#include "vxCommon.h"

EvxListError EvxListError::IndexOutOfBounds(long long Index) {
  return EvxListError("List index out of bounds (" + std::to_string(Index) + ")");
}

EvxConvertError::EvxConvertError(std::string_view SourceClass, std::string_view TargetClass)
    : EvxException("Cannot assign a " + std::string(SourceClass) + " to a " + std::string(TargetClass)) {}

namespace vx {

char UpperChar(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }
char LowerChar(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

std::string UpperCase(std::string_view Text) {
  std::string Result(Text);
  for (char& C : Result) C = UpperChar(C);
  return Result;
}

std::string LowerCase(std::string_view Text) {
  std::string Result(Text);
  for (char& C : Result) C = LowerChar(C);
  return Result;
}

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (LowerChar(A[I]) != LowerChar(B[I])) return false;
  return true;
}

std::string UpperCaseOutsideQuotes(std::string_view Text) {
  std::string Result(Text);
  char Closing = 0;  // the delimiter that ends the literal or name we are in, 0 outside
  for (char& C : Result) {
    if (Closing != 0) {
      if (C == Closing) Closing = 0;  // a doubled quote closes and at once re-opens: same effect
      continue;
    }
    if (C == '\'' || C == '"')
      Closing = C;
    else if (C == '[')
      Closing = ']';
    else
      C = UpperChar(C);
  }
  return Result;
}

}  // namespace vx

const std::string& TvxStringList::operator[](int Index) const {
  if (Index < 0 || Index >= Count()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TvxStringList::Set(int Index, std::string Value) {
  if (Index < 0 || Index >= Count()) throw EvxListError::IndexOutOfBounds(Index);
  FItems[static_cast<size_t>(Index)] = std::move(Value);
}

int TvxStringList::Add(std::string Value) {
  FItems.push_back(std::move(Value));
  return Count() - 1;
}

void TvxStringList::Insert(int Index, std::string Value) {
  if (Index < 0 || Index > Count()) throw EvxListError::IndexOutOfBounds(Index);
  FItems.insert(FItems.begin() + Index, std::move(Value));
}

void TvxStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EvxListError::IndexOutOfBounds(Index);
  FItems.erase(FItems.begin() + Index);
}

int TvxStringList::IndexOf(std::string_view Value) const {
  for (int I = 0; I < Count(); ++I)
    if (vx::SameText(FItems[static_cast<size_t>(I)], Value)) return I;
  return -1;
}

int TvxStringList::IndexOfExact(std::string_view Value) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)] == Value) return I;
  return -1;
}

std::string TvxStringList::Join(std::string_view Separator) const {
  std::string Result;
  for (size_t I = 0; I < FItems.size(); ++I) {
    if (I > 0) Result += Separator;
    Result += FItems[I];
  }
  return Result;
}

bool TvxVariant::GetBoolean() const {
  if (IsBoolean()) return FNumber != 0;
  throw EvxException("Could not convert variant to type (Boolean)");
}

std::string TvxVariant::ToString() const {
  switch (FKind) {
    case TKind::Text:
      return std::string(GetText());
    case TKind::Boolean:
      return FNumber != 0 ? "True" : "False";
    case TKind::Integer:
      return std::to_string(FNumber);
    case TKind::Empty:
      break;
  }
  return std::string();
}
