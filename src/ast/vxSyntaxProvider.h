// The tree-level description of an SQL dialect: identifier quotes, aggregate names, comparison
// and union operators, feature flags, object-name comparison, the extender registry and the
// entry points that parse text into a tree.
#pragma once

#include "vxASTBase.h"
#include "vxSQLBuilder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TvxBaseScanner;
class TvxBaseParser;
class TSQLDatabaseObject;
class TSQLObjectColumn;
class TSQLExpressionItem;
class TSQLSelectItem;
class TSQLSelectStatement;
class TSQLFromSource;

// The only thing the tree needs from a metadata provider: the column names of a query.
class TastFieldsProvider {
public:
  virtual ~TastFieldsProvider() = default;
  // Replaces Fields with the column names of the result of SQL (a "select * from ..." text).
  virtual void GetFields(const std::string& SQL, TvxStringList& Fields) = 0;
};

// "class of TvxBaseScanner" and "class of TvxBaseParser".
struct TvxScannerClass {
  std::string_view Name;
  std::unique_ptr<TvxBaseScanner> (*Create)();
};
struct TvxParserClass {
  std::string_view Name;
  std::unique_ptr<TvxBaseParser> (*Create)(TvxBaseScanner* Scanner, TastSyntaxProvider* SyntaxProvider);
};

// The six set operators a union operator text can name.
enum class TvxUnionOperatorKind {
  uokNone,
  uokUnion,
  uokUnionAll,
  uokExcept,
  uokExceptAll,
  uokIntersect,
  uokIntersectAll
};

// A result read row by row, as a dialect's catalog statement (GetTableNamesSQL) returns it.
class TastDataSet {
public:
  virtual ~TastDataSet() = default;
  // Moves to the next row, the first one at the first call; false when there is none.
  virtual bool Next() = 0;
  // The text of column Index (0-based) of the current row.
  virtual std::string GetFieldText(int Index) const = 0;
};

// A quick test that the writer makes before it asks IsReservedWord about a name: per word
// length, a bit for the first and one for the last letter (bit C & 31, so case does not matter)
// of each reserved word. A name that misses either bit is no reserved word, which settles
// nearly every name without the dialect's look-up. Words longer than MaxLength are not
// filtered.
class TvxReservedWordFilter {
public:
  static constexpr size_t MaxLength = 31;

  constexpr void Add(std::string_view Word) {
    if (Word.empty() || Word.size() > MaxLength) return;
    FFirstLetters[Word.size()] |= 1u << (Word.front() & 31);
    FLastLetters[Word.size()] |= 1u << (Word.back() & 31);
  }
  bool MayHold(std::string_view Word) const {
    // Size - 1 wraps for the empty word.
    if (Word.size() - 1 >= MaxLength) return !Word.empty();
    return (FFirstLetters[Word.size()] >> (Word.front() & 31) & FLastLetters[Word.size()] >> (Word.back() & 31) & 1) !=
           0;
  }

private:
  uint32_t FFirstLetters[MaxLength + 1] = {};
  uint32_t FLastLetters[MaxLength + 1] = {};
};

struct TastClassToExtenderEntry {
  const TastClass* NodeClass;
  const TastClass* ExtenderClass;
};

class TastSyntaxProvider {
public:
  TastSyntaxProvider() = default;
  virtual ~TastSyntaxProvider() = default;
  TastSyntaxProvider(const TastSyntaxProvider&) = delete;
  TastSyntaxProvider& operator=(const TastSyntaxProvider&) = delete;

  // Dialect parts that the base cannot supply; the base raises EvxAbstractError.
  virtual const TvxParserClass& GetParserClass() const;
  virtual const TvxScannerClass& GetScannerClass() const;
  virtual void GetStarAggregateNames(TvxStringList& List) const;
  virtual void Get1ParamAggregateNames(TvxStringList& List) const;
  virtual void GetPrefixed1ParamAggregateNames(TvxStringList& List) const;
  virtual bool IsSupportViews() const;
  virtual bool IsSupportUnions() const;
  virtual bool IsSupportBracketsInUnions() const;
  virtual bool IsSupportDerivedTables() const;
  virtual bool IsSupportSubQueryUnions() const;
  virtual bool IsSupportSubQueryBracketsInUnions() const;
  virtual bool IsSupportSubQueryDerivedTables() const;

  // A FROM source for a table chosen by name (one name part, not split at dots); an empty Alias
  // gives no alias. Both are names as the database and the user spell them, not SQL text: they
  // are quoted as they need (QuoteName), the object name also when Folding would change it.
  // The caller owns the result.
  virtual std::unique_ptr<TSQLFromSource> CreateSQLFromObject(const std::string& ObjectName, const std::string& Alias,
                                                              TvxNameFolding Folding = TvxNameFolding::nfNone);
  virtual void GetComparisonOperators(TvxStringList& List) const;
  virtual void GetUnionOperatorsList(TvxStringList& List) const;
  virtual std::string GetQuoteBegin() const { return std::string(); }
  virtual std::string GetQuoteEnd() const { return std::string(); }
  // True for a word that cannot be written bare as a name in this dialect.
  virtual bool IsReservedWord(std::string_view Word) const;
  // The dialect's quick test before IsReservedWord; null asks IsReservedWord about every name.
  const TvxReservedWordFilter* GetReservedWordFilter() const { return FReservedWordFilter; }
  // A name from anywhere but parsed text as a tree stores it (TSQLBuilder::QuoteIdentifier):
  // what goes into a name part, an alias or a column made by the model.
  std::string QuoteName(std::string_view Name, TvxNameFolding Folding = TvxNameFolding::nfNone) const;
  // The name a stored part stands for (TSQLBuilder::UnquoteIdentifier): what a catalog calls it.
  std::string UnquoteName(std::string_view Name) const;
  // Two stored names (or a stored name and a catalog's) name the same thing: equal once their
  // delimiters are taken off and doubled quotes undoubled, without regard to case.
  bool IsNamesEqual(std::string_view A, std::string_view B) const;
  // Object names compare by their own part only, by IsNamesEqual.
  virtual bool IsDBObjectNamesEqual(const TSQLDatabaseObject& A, const TSQLDatabaseObject& B) const;
  virtual bool IsColumnOfDBObject(const TSQLObjectColumn& Column, const TSQLDatabaseObject& Obj) const;
  virtual bool IsUniversalExpressions() const { return false; }

  // Parse entry points. Each returns a tree owned by the caller or raises EvxSQLError.
  std::unique_ptr<TSQLSelectStatement> ParseSelect(const std::string& Text);
  std::unique_ptr<TSQLDatabaseObject> ParseObjectName(const std::string& Text);
  // Params is accepted for compatibility and not used.
  std::unique_ptr<TSQLExpressionItem> ParseExpression(const std::string& Text, TvxStringList* Params = nullptr);
  std::unique_ptr<TSQLSelectItem> ParseSelectItem(const std::string& Text);
  // With RequireLeftOperand false a predicate may lack its left side (">5", "IS NULL").
  virtual std::unique_ptr<TSQLExpressionItem> ParseLogicalExpression(const std::string& Text,
                                                                     bool RequireLeftOperand = true);

  std::string NormalizeUnionOperator(std::string_view Op) const;
  // Which of the six set operators Op names (exact words, single spaces, any case).
  static TvxUnionOperatorKind GetUnionOperatorKind(std::string_view Op);
  // The name of the picture that stands for the set operator Op ("VXQB_UNION", "VXQB_UNIONALL",
  // "VXQB_EXCEPT", ... "VXQB_INTERSECTALL"); empty for any other text. The core draws nothing:
  // the widgets look the picture up by this name.
  std::string GetUnionOperatorIcon(std::string_view Op) const;

  // A dialect's own catalog statements: the text that lists the tables (views) and the names
  // read from its result. The base knows none (empty texts, nothing read), and neither does
  // SQL-92, whose catalog each server spells its own way: the add-object dialog lists what the
  // metadata provider reports.
  virtual std::string GetTableNamesSQL() const { return std::string(); }
  virtual void GetTableNames(TastDataSet& DataSet, TvxStringList& List) const {}
  virtual std::string GetViewNamesSQL() const { return std::string(); }
  virtual void GetViewNames(TastDataSet& DataSet, TvxStringList& List) const {}

  // The extender registry.
  const TastClass* FindExtenderClass(const TastClass& NodeClass, bool Inherited) const;
  // False until an extender is registered; spares every new node the look-up.
  bool HasExtenders() const { return !FExtenders.empty(); }
  void RegisterExtender(const TastClass& NodeClass, const TastClass& ExtenderClass);
  void RegisterExtender(const std::vector<const TastClass*>& NodeClasses, const TastClass& ExtenderClass);

protected:
  // Filter must hold every reserved word and outlive the provider.
  void SetReservedWordFilter(const TvxReservedWordFilter* Filter) { FReservedWordFilter = Filter; }

private:
  std::vector<TastClassToExtenderEntry> FExtenders;
  const TvxReservedWordFilter* FReservedWordFilter = nullptr;
};
