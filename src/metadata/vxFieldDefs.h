// Field definitions of a data set, shared by the ADO and BDE layers: the columns a statement
// yields, known without running it.
#pragma once

#include <QString>

#include <functional>
#include <vector>

struct TFieldDef {
  QString Name;
};

class TFieldDefs {
public:
  // Reader answers the column names of the owning data set's statement; it raises on failure.
  explicit TFieldDefs(std::function<std::vector<QString>()> Reader) : FReader(std::move(Reader)) {}

  // Re-reads the definitions from the owning data set's statement. On failure the previous
  // definitions are gone and the error propagates.
  void Update() {
    FItems.clear();
    for (QString& Name : FReader()) FItems.push_back({std::move(Name)});
  }
  void Clear() { FItems.clear(); }
  int Count() const { return int(FItems.size()); }
  const TFieldDef& operator[](int Index) const { return FItems.at(size_t(Index)); }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

private:
  std::function<std::vector<QString>()> FReader;
  std::vector<TFieldDef> FItems;
};
