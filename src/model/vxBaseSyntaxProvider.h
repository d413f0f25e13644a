// The syntax provider component: the piece a host drops beside the query builder to name the
// SQL dialect. It owns the tree-level dialect object that parses text and that every syntax
// node is made with, and it tells the query builders that use it when its capabilities change.
#pragma once

#include "vxCommon.h"
#include "vxSyntaxProvider.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class TSQLDatabaseObject;
class TSQLExpressionItem;
class TSQLFromSource;
class TSQLObjectColumn;
class TSQLSelectItem;
class TSQLSelectStatement;
class TvxQueryBuilder;
class TvxQueryBuilderControlOwner;
struct TvxEditPropsFormClass;

class TvxBaseSyntaxProvider : public QObject {
  Q_OBJECT
  // A free integer for the host, as every component has; default 0.
  Q_PROPERTY(qintptr Tag READ GetTag WRITE SetTag)

public:
  explicit TvxBaseSyntaxProvider(QObject* Owner = nullptr);
  // Tells every registered query builder that the provider goes, so each drops its link.
  ~TvxBaseSyntaxProvider() override;

  // The dialect object, made by CreateASTSyntaxProvider on first use and kept for the
  // component's life. The shared form lets a query builder keep it alive while its model still
  // holds nodes made with it after the component is gone.
  TastSyntaxProvider* GetASTSyntaxProvider();
  std::shared_ptr<TastSyntaxProvider> GetASTSyntaxProviderShared();

  // The query builders that use this provider (not owned), in registration order.
  void RegisterQueryBuilder(TvxQueryBuilder* QueryBuilder);
  void UnregisterQueryBuilder(TvxQueryBuilder* QueryBuilder);
  const std::vector<TvxQueryBuilder*>& GetQueryBuilders() const { return FQueryBuilders; }
  // The dialect changed: every registered query builder re-reads it (and so starts afresh).
  void SendCapsChangedNotifications();

  // Parse entry points; the results are owned by the caller. ParseSelect, ParseExpression and
  // ParseObjectName let parse errors (EvxSQLError) through. ParseSelectItem and
  // ParseLogicalExpression answer null instead and put the message into Errors.
  std::unique_ptr<TSQLSelectStatement> ParseSelect(const std::string& Text);
  std::unique_ptr<TSQLSelectItem> ParseSelectItem(const std::string& Text, TvxStringList& Errors);
  virtual std::unique_ptr<TSQLExpressionItem> ParseLogicalExpression(const std::string& Text, TvxStringList& Errors,
                                                                     bool RequireLeftOperand = true);
  std::unique_ptr<TSQLExpressionItem> ParseExpression(const std::string& Text, TvxStringList* Params = nullptr);
  std::unique_ptr<TSQLDatabaseObject> ParseObjectName(const std::string& Text);
  // A FROM source for a table picked by name, the name and alias quoted as they need
  // (TastSyntaxProvider::CreateSQLFromObject); owned by the caller.
  std::unique_ptr<TSQLFromSource> CreateSQLFromObject(const std::string& Name, const std::string& Alias,
                                                      TvxNameFolding Folding = TvxNameFolding::nfNone);

  void GetStarAggregateNames(TvxStringList& List);
  void Get1ParamAggregateNames(TvxStringList& List);
  void GetPrefixed1ParamAggregateNames(TvxStringList& List);
  void GetComparisonOperators(TvxStringList& List);
  virtual std::string GetQuoteBegin();
  virtual std::string GetQuoteEnd();
  bool IsDBObjectNamesEqual(const TSQLDatabaseObject& A, const TSQLDatabaseObject& B);
  bool IsColumnOfDBObject(const TSQLObjectColumn& Column, const TSQLDatabaseObject& Object);

  // Whether Name is in the dialect's star, one-argument or prefixed one-argument aggregate
  // list, ignoring case.
  bool IsNameOfStarAggregate(const std::string& Name);
  bool IsNameOfAggregate(const std::string& Name);
  bool IsNameOfPrefixedAggregate(const std::string& Name);
  // The dialect's own spelling of the aggregate Name (looked up trimmed and ignoring case in
  // the star, one-argument and prefixed lists, in that order); else Name trimmed and upper-cased.
  std::string AggregateNormalize(const std::string& Name);

  // The dialog that edits Owner's properties; null (no dialog) in the base.
  virtual const TvxEditPropsFormClass* GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner);

  qintptr GetTag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }

protected:
  // A new dialect object, owned by the caller. Never called from a constructor: the dialect
  // object is made on first use, when the derived class is complete.
  virtual std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() = 0;

private:
  std::shared_ptr<TastSyntaxProvider> FASTSyntaxProvider;
  std::vector<TvxQueryBuilder*> FQueryBuilders;
  qintptr FTag = 0;
};
