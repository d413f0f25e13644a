// Names in a statement: dotted names, references to database objects and columns (which can be
// bound to the FROM source they refer to), correlation names and data type names.
#pragma once

#include "vxASTBase.h"
#include "vxCompactString.h"
#include "vxPackedStrings.h"

#include <memory>
#include <string>

// A dotted name, kept innermost first: part 0 is the object's own name, part 1 its qualifier,
// part 2 the qualifier's qualifier, and so on. Parts are stored as written (a delimited part
// keeps its quotes); an empty part stands for an omitted qualifier, as in db..t.
class TSQLQualifiedName : public TastNode {
  VX_CLASS(TSQLQualifiedName)
public:
  explicit TSQLQualifiedName(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}

  // Inserts S as the new part 0; the previous parts move one position outward.
  void AddName(std::string_view S) { FNames.Add(S); }
  // Appends S as the new outermost qualifier.
  void AddPrefix(std::string_view S) { FNames.Insert(0, S); }
  int GetCount() const { return FNames.Count(); }
  // Part Index (0 = object name); EvxListError outside 0..GetCount()-1. The view lasts until
  // the name changes.
  std::string_view GetName(int Index) const;
  // Every part, part 0 first.
  TvxStringList GetNames() const;
  // Part 0; an empty text when the name has no parts.
  std::string_view GetObjName() const;
  // Replaces part 0, or adds it when the name has no parts.
  void SetObjName(std::string_view Name);
  // Parts from the outermost down to part Index joined with "." (no quoting); empty when
  // GetCount() <= Index. For (col, tbl, sch), GetPrefix(1) is "sch.tbl".
  std::string GetPrefix(int Index) const;
  // All parts joined with ".", outermost first, no quoting.
  std::string GetQualifiedName() const;

  // The name as written in the source: each part quoted on its own when needed, "." between.
  virtual void BuildFullName(TSQLBuilder& Builder) const;
  // As BuildFullName, except that plain parts are never quoted, even when they are reserved
  // words: routine names such as Count or Upper are words of the language in call position.
  void BuildRoutineName(TSQLBuilder& Builder) const;

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  void BuildParts(TSQLBuilder& Builder, bool QuoteReserved) const;
  // The parts as written, outermost first: the parser adds each part after the last.
  TvxPackedStrings FNames;
};

// A reference to a table or view. Once bound to a FROM source (FixupObjects), it writes itself
// through that source, so renaming the source's alias or object renames every reference.
class TSQLDatabaseObject : public TSQLQualifiedName {
  VX_CLASS(TSQLDatabaseObject)
public:
  explicit TSQLDatabaseObject(TastSyntaxProvider* SyntaxProvider) : TSQLQualifiedName(SyntaxProvider) {}

  // The bound source: a link, not owned; null when unbound.
  TSQLFromSource* GetFromSource() const { return FFromSource; }
  void SetFromSource(TSQLFromSource* FromSource) { FFromSource = FromSource; }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;
  // Binds to the innermost source of FromSources (searched from the last entry down) whose
  // alias is this one-part name or, for a source without alias, whose table is this object;
  // without a match the previous binding stays.
  void FixupObjects(TSQLFromSourceList& FromSources) override;
  void RemoveReferencesToFromSource(const TSQLFromSource* FromSource) override;
  void ReplaceLinks(const TastNodeMap& Map) override;

protected:
  // Writes the name of the bound source as a qualifier: its alias, or the full name of its
  // table when it has none. False when the source has no name to write (or nothing is bound).
  bool BuildSourceName(TSQLBuilder& Builder) const;

  TSQLFromSource* FFromSource = nullptr;
};

// A reference to a column; its bound source is the source the column belongs to.
class TSQLObjectColumn : public TSQLDatabaseObject {
  VX_CLASS(TSQLObjectColumn)
public:
  explicit TSQLObjectColumn(TastSyntaxProvider* SyntaxProvider) : TSQLDatabaseObject(SyntaxProvider) {}

  // Bound: the source's alias or table name, ".", the column name (own qualifiers dropped).
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  // Rebinds from scratch: a two-part name to the source whose alias or table is its qualifier,
  // a one-part name to the source whose field list holds it; the innermost source wins. Names
  // of three or more parts stay unbound.
  void FixupObjects(TSQLFromSourceList& FromSources) override;
};

// A correlation name. The holder decides where it goes; this writes the name itself.
class TSQLAlias : public TastNode {
  VX_CLASS(TSQLAlias)
public:
  explicit TSQLAlias(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
  TSQLAlias(TastSyntaxProvider* SyntaxProvider, std::string_view Alias) : TastNode(SyntaxProvider), FAlias(Alias) {}

  // The alias as written (delimited or a string literal when it was); the view lasts until the
  // alias changes.
  std::string_view GetAlias() const { return FAlias.GetView(); }
  void SetAlias(std::string_view Alias) { FAlias.Assign(Alias); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TvxCompactString FAlias;
};

// The form "alias = expression" (select items only).
class TSQLAliasAliasEqualsObject : public TSQLAlias {
  VX_CLASS(TSQLAliasAliasEqualsObject)
public:
  using TSQLAlias::TSQLAlias;
};

// The form "object alias".
class TSQLAliasObjectAlias : public TSQLAlias {
  VX_CLASS(TSQLAliasObjectAlias)
public:
  using TSQLAlias::TSQLAlias;
};

// The form "object AS alias"; writes "AS alias".
class TSQLAliasObjectAsAlias : public TSQLAliasObjectAlias {
  VX_CLASS(TSQLAliasObjectAsAlias)
public:
  using TSQLAliasObjectAlias::TSQLAliasObjectAlias;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// Base of data types (the target of CAST); writes nothing.
class TSQLType : public TastNode {
  VX_CLASS(TSQLType)
public:
  explicit TSQLType(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
};

// A type of the language, such as "numeric(10,2)" or "character varying(20)".
class TSQLTypeBuiltIn : public TSQLType {
  VX_CLASS(TSQLTypeBuiltIn)
public:
  explicit TSQLTypeBuiltIn(TastSyntaxProvider* SyntaxProvider) : TSQLType(SyntaxProvider) {}

  // Appends a word; words are written as stored.
  void AddName(std::string S) { FNames.Add(std::move(S)); }
  const TvxStringList& GetNames() const { return FNames; }
  // Index of the word after which "(length[,scale])" is written; an index past the last
  // word means no parameters are written. Default 0.
  int GetParamsAfter() const { return FParamsAfter; }
  void SetParamsAfter(int Index) { FParamsAfter = Index; }
  bool GetHasLength() const { return FHasLength; }
  void SetHasLength(bool HasLength) { FHasLength = HasLength; }
  int32_t GetLength() const { return FLength; }
  void SetLength(int32_t Length) { FLength = Length; }
  bool GetHasScale() const { return FHasScale; }
  void SetHasScale(bool HasScale) { FHasScale = HasScale; }
  int32_t GetScale() const { return FScale; }
  void SetScale(int32_t Scale) { FScale = Scale; }

  // A word without parameters is followed by a space, also the last one.
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TvxStringList FNames;
  int FParamsAfter = 0;
  bool FHasLength = false;
  int32_t FLength = 0;
  bool FHasScale = false;
  int32_t FScale = 0;
};

// A user-defined type, written by its name node.
class TSQLTypeUser : public TSQLType {
  VX_CLASS(TSQLTypeUser)
public:
  explicit TSQLTypeUser(TastSyntaxProvider* SyntaxProvider) : TSQLType(SyntaxProvider) {}

  // The type's name (owned); may be null.
  TSQLQualifiedName* GetTypeName() const { return FTypeName.get(); }
  void SetTypeName(std::unique_ptr<TSQLQualifiedName> TypeName) { FTypeName = std::move(TypeName); }
  std::unique_ptr<TSQLQualifiedName> ExtractTypeName() { return std::move(FTypeName); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLQualifiedName> FTypeName;
};
