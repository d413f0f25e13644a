// The contract through which the query model learns what a database holds, and the record in
// which a provider reports one foreign-key relation.
#pragma once

#include "vxCommon.h"
#include "vxSyntaxProvider.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TSQLDatabaseObject;

// One foreign key between two objects. Fields at equal indexes form a pair: the referencing
// field I refers to the referenced field I.
class TSQLMetadataRelation {
public:
  // Takes ownership of both names (either may be null until the provider sets it).
  TSQLMetadataRelation(std::unique_ptr<TSQLDatabaseObject> ReferencedObject,
                       std::unique_ptr<TSQLDatabaseObject> ReferencingObject);
  TSQLMetadataRelation();
  ~TSQLMetadataRelation();
  TSQLMetadataRelation(const TSQLMetadataRelation&) = delete;
  TSQLMetadataRelation& operator=(const TSQLMetadataRelation&) = delete;

  // Builds a relation whose two names hold one part each, made with the dialect object
  // SyntaxProvider (the dialect of the table name a provider was asked about; may be null).
  // The names are the catalog's, quoted as a tree stores them (TastSyntaxProvider::QuoteName),
  // so that "a""b" in a statement and the catalog's a"b are found equal.
  static std::unique_ptr<TSQLMetadataRelation> Create(TastSyntaxProvider* SyntaxProvider,
                                                      const std::string& ReferencedName,
                                                      const std::string& ReferencingName);

  // The table whose key is referred to; owned, may be null.
  TSQLDatabaseObject* GetReferencedObject() const { return FReferencedObject.get(); }
  void SetReferencedObject(std::unique_ptr<TSQLDatabaseObject> Object);
  TvxStringList& GetReferencedFields() { return FReferencedFields; }
  const TvxStringList& GetReferencedFields() const { return FReferencedFields; }

  // The table that holds the foreign key; owned, may be null.
  TSQLDatabaseObject* GetReferencingObject() const { return FReferencingObject.get(); }
  void SetReferencingObject(std::unique_ptr<TSQLDatabaseObject> Object);
  TvxStringList& GetReferencingFields() { return FReferencingFields; }
  const TvxStringList& GetReferencingFields() const { return FReferencingFields; }

  // Appends one field pair.
  void AddPair(std::string ReferencedField, std::string ReferencingField);

private:
  std::unique_ptr<TSQLDatabaseObject> FReferencedObject;
  TvxStringList FReferencedFields;
  std::unique_ptr<TSQLDatabaseObject> FReferencingObject;
  TvxStringList FReferencingFields;
};

// An owning list of relations, as GetTableRelations fills it.
using TSQLMetadataRelationList = std::vector<std::unique_ptr<TSQLMetadataRelation>>;

// The abstract metadata provider component. It is a QObject (owner, name, free-notification
// through destroyed()) and the core's fields provider, so a syntax tree can refresh its field
// lists from it directly.
class TvxBaseMetadataProvider : public QObject, public TastFieldsProvider {
  Q_OBJECT
  // A free integer for the host, as every component has; default 0.
  Q_PROPERTY(qintptr Tag READ GetTag WRITE SetTag)

public:
  explicit TvxBaseMetadataProvider(QObject* Owner = nullptr);
  ~TvxBaseMetadataProvider() override;

  // Replaces Names with the names of the tables, each as it goes into a FROM clause; System
  // asks for the database's system tables too. Views are never listed here.
  virtual void GetTableNames(TvxStringList& Names, bool System) = 0;
  // Replaces Names with the names of the views.
  virtual void GetViewNames(TvxStringList& Names, bool System) = 0;
  // Replaces Fields with the column names of the result of SQL, in result order.
  void GetFields(const std::string& SQL, TvxStringList& Fields) override = 0;
  // Reports the relations in which TableName is the referenced or the referencing side. The
  // list owns what is added; whether it is cleared first is the provider's rule.
  virtual void GetTableRelations(const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations) = 0;

  // How the provider's server spells a name written without quotes: the model quotes a name
  // from the provider that this folding would change (a mixed-case PostgreSQL table). The
  // base answers nfNone.
  virtual TvxNameFolding GetNameFolding() const;
  // The schema the objects of GetTableNames and GetViewNames belong to when it is not the
  // connection's default one, else empty. The model writes an object added from these lists
  // qualified with it. The base answers empty.
  virtual std::string GetObjectsSchema() const;
  // The catalog's name for the table Name: its last part without delimiters when the part is
  // delimited, else as the server folds a bare name (GetNameFolding).
  std::string GetCatalogName(const TSQLDatabaseObject& Name) const;

  qintptr GetTag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }

private:
  qintptr FTag = 0;
};

// The base of the providers that read through a database component of their own layer (an ADO
// connection, a BDE database). Each subclass offers the link as its typed Connection property;
// the link lives here, so that it is cleared, and ConnectionChanged emitted, when the component
// is destroyed.
class TvxLinkedMetadataProvider : public TvxBaseMetadataProvider {
  Q_OBJECT

public:
  using TvxBaseMetadataProvider::TvxBaseMetadataProvider;
  // Drops the link, emitting ConnectionChanged when there was one.
  ~TvxLinkedMetadataProvider() override;

signals:
  void ConnectionChanged();

protected:
  // The linked component, a link (never owned); null when none or once it was destroyed.
  QObject* GetLinkedComponent() const { return FComponent; }
  // Emits ConnectionChanged when Component differs from the present link.
  void SetLinkedComponent(QObject* Component);

private:
  QPointer<QObject> FComponent;
};

// A database refused a request (open, list, describe); the message is the database's own,
// after a short English lead saying what was asked.
class EvxDatabaseError : public EvxException {
public:
  explicit EvxDatabaseError(const std::string& Message) : EvxException(Message) {}
};
