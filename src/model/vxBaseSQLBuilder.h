// The SQL builder component: attached to one query builder, it keeps the query's text in a
// writer's format up to date and announces every change to the host.
#pragma once

#include "vxQBTypes.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

class TSQLBuilder;
class TSQLSelectStatement;
class TvxQueryBuilder;

// "Class of TSQLBuilder": makes a writer over Stream (not owned; it outlives the writer).
using TSQLBuilderClass = std::unique_ptr<TSQLBuilder> (*)(std::string& Stream);

class TvxBaseSQLBuilder : public QObject {
  Q_OBJECT
  Q_MOC_INCLUDE("vxQueryBuilder.h")
  // The query builder whose query this builder writes; none by default.
  Q_PROPERTY(TvxQueryBuilder* QueryBuilder READ GetQueryBuilder WRITE SetQueryBuilder)
  // The text of the last change (read-only, not stored).
  Q_PROPERTY(QString SQL READ GetSQLString STORED false)

public:
  explicit TvxBaseSQLBuilder(QObject* Owner = nullptr);
  ~TvxBaseSQLBuilder() override;

  TvxQueryBuilder* GetQueryBuilder() const;
  // Detaches from the current query builder and attaches to QueryBuilder (may be null). A newly
  // attached builder takes the query at once and fires OnSQLUpdated. A detached builder keeps
  // the text it had: it is written out at detach time, because the tree it was written from may
  // refer to parts of a model that later edits free.
  void SetQueryBuilder(TvxQueryBuilder* QueryBuilder);

  // The query changed: the tree of the attached query builder's query is taken (the text is
  // written only when asked for), then OnSQLUpdated and sqlUpdated() fire.
  virtual void SQLUpdated();
  // The text of the query at the last change, in this builder's format; empty before any.
  std::string GetSQL();
  QString GetSQLString();

  // Called by a query builder that is going: keep the text, forget the query builder.
  void QueryBuilderDestroying(TvxQueryBuilder* QueryBuilder);

  // Fired after every change of the query, with this builder as Sender.
  TvxNotifyEvent OnSQLUpdated;

signals:
  void sqlUpdated();

protected:
  virtual TSQLBuilderClass SQLBuilderClass() const = 0;

private:
  void KeepText();
  TSQLBuilder& GetBuilder();

  std::string FStream;                    // the writer's output
  std::unique_ptr<TSQLBuilder> FBuilder;  // made from SQLBuilderClass on first use
  QPointer<TvxQueryBuilder> FQueryBuilder;
  std::unique_ptr<TSQLSelectStatement> FTree;  // the tree of the last change while attached
  std::string FKeptText;                       // the text kept at detach time
};
