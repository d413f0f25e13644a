#include "vxBaseMetadataProvider.h"

#include "vxASTNames.h"
#include "vxSQLBuilder.h"

TSQLMetadataRelation::TSQLMetadataRelation() = default;

TSQLMetadataRelation::TSQLMetadataRelation(std::unique_ptr<TSQLDatabaseObject> ReferencedObject,
                                           std::unique_ptr<TSQLDatabaseObject> ReferencingObject)
    : FReferencedObject(std::move(ReferencedObject)), FReferencingObject(std::move(ReferencingObject)) {}

TSQLMetadataRelation::~TSQLMetadataRelation() = default;

std::unique_ptr<TSQLMetadataRelation> TSQLMetadataRelation::Create(TastSyntaxProvider* SyntaxProvider,
                                                                   const std::string& ReferencedName,
                                                                   const std::string& ReferencingName) {
  const auto Stored = [SyntaxProvider](const std::string& Name) {
    return SyntaxProvider != nullptr ? SyntaxProvider->QuoteName(Name) : Name;
  };
  auto Referenced = NewNode<TSQLDatabaseObject>(SyntaxProvider);
  Referenced->AddName(Stored(ReferencedName));
  auto Referencing = NewNode<TSQLDatabaseObject>(SyntaxProvider);
  Referencing->AddName(Stored(ReferencingName));
  return std::make_unique<TSQLMetadataRelation>(std::move(Referenced), std::move(Referencing));
}

void TSQLMetadataRelation::SetReferencedObject(std::unique_ptr<TSQLDatabaseObject> Object) {
  FReferencedObject = std::move(Object);
}

void TSQLMetadataRelation::SetReferencingObject(std::unique_ptr<TSQLDatabaseObject> Object) {
  FReferencingObject = std::move(Object);
}

void TSQLMetadataRelation::AddPair(std::string ReferencedField, std::string ReferencingField) {
  FReferencedFields.Add(std::move(ReferencedField));
  FReferencingFields.Add(std::move(ReferencingField));
}

TvxBaseMetadataProvider::TvxBaseMetadataProvider(QObject* Owner) : QObject(Owner) {}

TvxBaseMetadataProvider::~TvxBaseMetadataProvider() = default;

TvxNameFolding TvxBaseMetadataProvider::GetNameFolding() const { return TvxNameFolding::nfNone; }

std::string TvxBaseMetadataProvider::GetObjectsSchema() const { return std::string(); }

std::string TvxBaseMetadataProvider::GetCatalogName(const TSQLDatabaseObject& Name) const {
  const std::string_view Part = Name.GetObjName();
  if (TSQLBuilder::IsDelimitedIdentifier(Part, Name.GetSyntaxProvider()))
    return TSQLBuilder::UnquoteIdentifier(Part, Name.GetSyntaxProvider());
  return TSQLBuilder::FoldName(Part, GetNameFolding());
}

TvxLinkedMetadataProvider::~TvxLinkedMetadataProvider() { SetLinkedComponent(nullptr); }

void TvxLinkedMetadataProvider::SetLinkedComponent(QObject* Component) {
  if (FComponent == Component) return;
  if (FComponent) disconnect(FComponent, &QObject::destroyed, this, nullptr);
  FComponent = Component;
  if (Component)
    connect(Component, &QObject::destroyed, this, [this] {
      FComponent = nullptr;
      emit ConnectionChanged();
    });
  emit ConnectionChanged();
}
