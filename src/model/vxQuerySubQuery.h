// Whole statements: TvxSubQuery (a union group that also carries the ORDER BY and has its own
// tab), TvxQuery (the component's root statement) and TvxSubSelectStatementProxy (the syntax
// node that stands for a nested SELECT and owns the TvxSubQuery that edits it).
#pragma once

#include "vxASTSelect.h"
#include "vxQueryBase.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TvxQueryBuilder;

class TvxSubQuery : public TvxUnionGroup {
  Q_OBJECT

public:
  // Owner is the model object whose syntax holds the nested SELECT (or the component, for the
  // root query). The sub-query joins the component's sub-query list until it goes.
  explicit TvxSubQuery(QObject* Owner);
  ~TvxSubQuery() override;

  // Takes over a TSQLSubSelectStatement: its union items as for a group, its ORDER BY into the
  // first operand.
  void LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) override;
  std::unique_ptr<TSQLSubQueryExpression> GetASTExpression() const override;
  // A fresh tree of the whole statement, owned by the caller.
  std::unique_ptr<TSQLSubSelectStatement> GetASTSubQuery() const;
  // The statement's text on one line.
  std::string GetSQL() const;
  // The first operand in text order (through leading groups); null when a group on the way is
  // empty.
  TvxUnionSubQuery* FirstSelect() const;

  // The tab sheet of the sub-query (once the page control's sheets exist).
  QWidget* GetQueryPage() const { return GetControls(0); }
  bool GetIsMainQuery() const { return !GetIsSubQuery(); }
  virtual bool GetIsSubQuery() const { return true; }

  // The operands whose root this is, in text order; one of them is active while there is any.
  int GetUnionSubQueriesCount() const { return static_cast<int>(FUnionSubQueries.size()); }
  TvxUnionSubQuery* GetUnionSubQueries(int Index) const;  // EvxListError when out of range
  TvxUnionSubQuery* GetActiveUnionSubquery() const;
  // Shows Operand's page and presses its navigation button (once they exist); null: none.
  void SetActiveUnionSubquery(TvxUnionSubQuery* Operand);
  // Called by operands on creation and destruction; the first one becomes active.
  void RegisterUnionSubQuery(TvxUnionSubQuery* Operand);
  void UnregisterUnionSubQuery(TvxUnionSubQuery* Operand);
  // Re-sorts the registered operands into text order.
  void UpdateUnionSubQueriesOrder();
  // Gives the tab the component's caption for this sub-query.
  void UpdateCaption();

  // --- edits of the union tree ---
  // A group in brackets that loses its last item would write "()", which no parser reads: such
  // a group is noted here and freed when the outermost union edit of this sub-query ends (see
  // TvxUnionEditScope), so that an edit may empty a group and fill it again meanwhile.
  void NoteEmptiedGroup(TvxUnionGroup* Group);

  bool CanCreateControls() const override;
  void DoSQLUpdated() override;
  // A whole statement has no brackets and no menu of its own (the base's null).
  QMenu* GetPopupMenu() override { return TvxQueryBuilderControlOwner::GetPopupMenu(); }

protected:
  int GetControlsCount() const override { return 1; }
  QWidget* CreateControlInternal(int Index) override;
  // The page control shows the tab sheet when its tab is chosen.
  bool MakeVisible(int Index) override { return false; }
  // A new tab sheet takes its caption.
  void RestoreControlParams(int Index) override { UpdateCaption(); }

private:
  friend class TvxUnionEditScope;
  void CollectOperands(const TvxUnionGroup& Group, int& Counter);
  // Frees the noted groups that are still empty; freeing one may empty its own group in turn.
  void FreeEmptiedGroups();

  QPointer<TvxUnionSubQuery> FActiveUnionSubQuery;
  std::vector<TvxUnionSubQuery*> FUnionSubQueries;
  int FUnionEditDepth = 0;
  std::vector<QPointer<TvxUnionGroup>> FEmptiedGroups;
};

// One edit of the union tree of Root: holds Root's change notification and, when the outermost
// edit ends, frees the groups the edit left empty before the notification goes out, so that no
// SQL builder ever sees an empty bracket pair. Does nothing for a null Root or one that goes.
class TvxUnionEditScope {
public:
  explicit TvxUnionEditScope(TvxSubQuery* Root);
  ~TvxUnionEditScope();
  TvxUnionEditScope(const TvxUnionEditScope&) = delete;
  TvxUnionEditScope& operator=(const TvxUnionEditScope&) = delete;

private:
  QPointer<TvxSubQuery> FRoot;
};

class TvxQuery : public TvxSubQuery {
  Q_OBJECT

public:
  // Starts from an empty statement made without a dialect object, with no operand.
  explicit TvxQuery(TvxQueryBuilder* Owner);
  ~TvxQuery() override;

  // The root statement is a TSQLSelectStatement; anything else raises EvxConvertError.
  void LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) override;
  void LoadFromAST(std::unique_ptr<TSQLSelectStatement> Statement);
  // A fresh tree of the whole query, owned by the caller.
  std::unique_ptr<TSQLSelectStatement> GetASTQuery() const;
  bool GetIsSubQuery() const override { return false; }
  // Also tells the component, which tells its SQL builders.
  void DoSQLUpdated() override;
};

class TvxSubSelectStatementProxy : public TSQLSubSelectStatementProxy {
  VX_CLASS(TvxSubSelectStatementProxy)
public:
  // Loader is the TvxSubQueryLoader of the walk (any other object, or none, makes a proxy
  // without model that writes SubSelect as it is). The proxy registers with the loader's model
  // object, makes a TvxSubQuery owned by it and lets it take SubSelect over.
  explicit TvxSubSelectStatementProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Loader = nullptr,
                                      std::unique_ptr<TSQLSubSelectStatement> SubSelect = nullptr);
  // Frees the sub-query and leaves the model object's proxy list.
  ~TvxSubSelectStatementProxy() override;
  // The proxy class handed to the syntax tree's MoveSubQueryInProxy.
  static std::unique_ptr<TSQLSubSelectStatementProxy> Create(TastSyntaxProvider* SyntaxProvider, TvxObject* Loader,
                                                             std::unique_ptr<TSQLSubSelectStatement> SubSelect);

  std::unique_ptr<TSQLSubSelectStatement> GetASTTree() const override;

  // The model object whose proxy list holds this proxy; null once it is gone.
  TvxQueryBuilderControlOwner* GetControlOwner() const { return FControlOwner; }
  // The syntax node under which the nested SELECT was found.
  TastNode* GetRootNode() const { return FRootNode; }
  TvxSubQuery* GetSubQuery() const { return FSubQuery; }
  // Called by the model object when it goes first.
  void ForgetOwner() { FControlOwner = nullptr; }

private:
  TvxQueryBuilderControlOwner* FControlOwner = nullptr;
  TastNode* FRootNode = nullptr;
  QPointer<TvxSubQuery> FSubQuery;
};
