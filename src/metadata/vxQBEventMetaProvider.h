// A metadata provider with no database of its own: the host answers each request in a handler.
#pragma once

#include "vxBaseMetadataProvider.h"

#include <functional>

// Handlers receive the provider as Sender. Names and FieldNames arrive cleared; whatever the
// handler adds is the answer. Relations arrive cleared too and own what the handler adds.
using TvxGetObjectNamesEvent = std::function<void(TvxBaseMetadataProvider* Sender, TvxStringList& Names, bool System)>;
using TvxGetSQLFieldNamesEvent =
    std::function<void(TvxBaseMetadataProvider* Sender, const std::string& SQL, TvxStringList& FieldNames)>;
using TvxGetTableRelationsEvent = std::function<void(
    TvxBaseMetadataProvider* Sender, const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations)>;

class TvxEventMetadataProvider : public TvxBaseMetadataProvider {
  Q_OBJECT

public:
  explicit TvxEventMetadataProvider(QObject* Owner = nullptr) : TvxBaseMetadataProvider(Owner) {}

  // Unassigned handlers leave the lists empty; exceptions thrown by a handler reach the caller.
  TvxGetObjectNamesEvent OnGetTableNames;
  TvxGetObjectNamesEvent OnGetViewNames;
  TvxGetSQLFieldNamesEvent OnGetSQLFieldNames;
  TvxGetTableRelationsEvent OnGetTableRelations;

  void GetTableNames(TvxStringList& Names, bool System) override;
  void GetViewNames(TvxStringList& Names, bool System) override;
  void GetFields(const std::string& SQL, TvxStringList& FieldNames) override;
  void GetTableRelations(const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations) override;

  // What the host says of its database: how it spells unquoted names (default nfNone) and the
  // schema its lists name objects of when that is not the connection's default (default empty).
  TvxNameFolding GetNameFolding() const override { return FNameFolding; }
  void SetNameFolding(TvxNameFolding NameFolding) { FNameFolding = NameFolding; }
  std::string GetObjectsSchema() const override { return FObjectsSchema; }
  void SetObjectsSchema(std::string Schema) { FObjectsSchema = std::move(Schema); }

private:
  TvxNameFolding FNameFolding = TvxNameFolding::nfNone;
  std::string FObjectsSchema;
};
