// The event provider: every answer comes from the host's handler, on a list cleared first.
#include "vxASTNames.h"
#include "vxQBEventMetaProvider.h"

#include <gtest/gtest.h>

namespace {

// Both name events: the handler sees the provider, the System flag and an already cleared list;
// what it adds is the whole answer, and nothing survives from an earlier call.
TEST(TEventProviderTest, NameHandlersAreTheOnlySource) {
  TvxEventMetadataProvider Provider;
  struct TCase {
    TvxGetObjectNamesEvent TvxEventMetadataProvider::*Event;
    void (TvxEventMetadataProvider::*Call)(TvxStringList&, bool);
  };
  for (const TCase& Case :
       {TCase{&TvxEventMetadataProvider::OnGetTableNames, &TvxEventMetadataProvider::GetTableNames},
        TCase{&TvxEventMetadataProvider::OnGetViewNames, &TvxEventMetadataProvider::GetViewNames}}) {
    int Calls = 0;
    Provider.*Case.Event = [&](TvxBaseMetadataProvider* Sender, TvxStringList& Names, bool System) {
      EXPECT_EQ(Sender, &Provider);
      EXPECT_TRUE(Names.IsEmpty());
      Names.Add(System ? "sys" : "user");
      ++Calls;
    };
    TvxStringList Names{"earlier", "entries"};
    (Provider.*Case.Call)(Names, true);
    EXPECT_EQ(Names, (TvxStringList{"sys"}));
    (Provider.*Case.Call)(Names, false);
    EXPECT_EQ(Names, (TvxStringList{"user"}));
    EXPECT_EQ(Calls, 2);
    Provider.*Case.Event = nullptr;
    (Provider.*Case.Call)(Names, false);
    EXPECT_TRUE(Names.IsEmpty());
  }
}

TEST(TEventProviderTest, FieldAndRelationHandlersGetTheRequest) {
  TastSyntaxProvider Syntax;
  TvxEventMetadataProvider Provider;
  Provider.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string& SQL, TvxStringList& Fields) {
    EXPECT_TRUE(Fields.IsEmpty());
    Fields.Add(SQL.substr(SQL.rfind(' ') + 1) + ".Id");
  };
  TvxStringList Fields{"old"};
  Provider.GetFields("select * from Orders", Fields);
  EXPECT_EQ(Fields, (TvxStringList{"Orders.Id"}));

  Provider.OnGetTableRelations = [&](TvxBaseMetadataProvider* Sender, const TSQLDatabaseObject& Table,
                                     TSQLMetadataRelationList& Relations) {
    EXPECT_EQ(Sender, &Provider);
    EXPECT_TRUE(Relations.empty());
    auto Relation = TSQLMetadataRelation::Create(Table.GetSyntaxProvider(), std::string(Table.GetObjName()), "Lines");
    Relation->AddPair("Id", "OrderId");
    Relations.push_back(std::move(Relation));
  };
  auto Name = NewNode<TSQLDatabaseObject>(&Syntax);
  Name->AddName("Orders");
  TSQLMetadataRelationList Relations;
  Relations.push_back(TSQLMetadataRelation::Create(&Syntax, "Stale", "Stale"));
  Provider.GetTableRelations(*Name, Relations);
  ASSERT_EQ(Relations.size(), 1u);
  EXPECT_EQ(Relations[0]->GetReferencedObject()->GetObjName(), "Orders");
  EXPECT_EQ(Relations[0]->GetReferencedObject()->GetSyntaxProvider(), &Syntax);
  EXPECT_EQ(Relations[0]->GetReferencingFields(), (TvxStringList{"OrderId"}));
}

TEST(TEventProviderTest, HandlerExceptionsReachTheCaller) {
  TvxEventMetadataProvider Provider;
  Provider.OnGetTableNames = [](TvxBaseMetadataProvider*, TvxStringList& Names, bool) {
    Names.Add("half");
    throw EvxException("catalog offline");
  };
  TvxStringList Names;
  EXPECT_THROW(Provider.GetTableNames(Names, false), EvxException);
}

}  // namespace
