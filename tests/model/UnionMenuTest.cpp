// The menus of union operands, groups, union operators and the work area: their items, which
// are enabled for which dialect, and what choosing them does to the model.
#include "DatasourceTestRig.h"

#include "vxSQL92SyntaxProvider.h"
#include "vxTestModal.h"

#include <QAction>
#include <QMenu>

namespace vxtest {
namespace {

// A dialect with unions and brackets allowed in the main query only.
class TMainOnlyDialect : public TastSQL92SyntaxProvider {
public:
  bool IsSupportSubQueryUnions() const override { return false; }
  bool IsSupportSubQueryBracketsInUnions() const override { return false; }
};

class TMainOnlySyntaxProvider : public TvxSQL92SyntaxProvider {
protected:
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override {
    return std::make_unique<TMainOnlyDialect>();
  }
};

// The items of Menu as "Caption", "(Caption)" when disabled, "Caption*" for the default item,
// "[x] Caption" when checked, "-" for a separator; a submenu's items follow its item in braces.
std::string Items(const QMenu* Menu) {
  std::string Text;
  for (QAction* Item : Menu->actions()) {
    std::string Entry = Item->isSeparator() ? "-" : Item->text().toStdString();
    if (Item->isChecked()) Entry = "[x] " + Entry;
    if (!Item->isEnabled()) Entry = "(" + Entry + ")";
    if (Item == Menu->defaultAction()) Entry += "*";
    if (Item->menu() != nullptr) Entry += " {" + Items(Item->menu()) + "}";
    Text += (Text.empty() ? "" : ", ") + Entry;
  }
  return Text;
}

QAction* FindItem(const QMenu* Menu, const QString& Caption) {
  for (QAction* Item : Menu->actions()) {
    if (Item->text() == Caption) return Item;
    if (Item->menu() != nullptr)
      if (QAction* Inner = FindItem(Item->menu(), Caption)) return Inner;
  }
  ADD_FAILURE() << "no item " << Caption.toStdString();
  return nullptr;
}

class UnionMenu : public TFromRig {
protected:
  TvxQuery* Root() const { return FQueryBuilder.GetRootQuery(); }
  TvxUnionSubQuery* Op(int Index) const { return Root()->GetUnionSubQueries(Index); }
  // Chooses Caption in Menu as a user does.
  static void Choose(QMenu* Menu, const char* Caption) {
    QAction* Item = FindItem(Menu, QString::fromUtf8(Caption));
    ASSERT_NE(Item, nullptr);
    ASSERT_TRUE(Item->isEnabled()) << Caption;
    Item->trigger();
  }
};

TEST_F(UnionMenu, OperandItemsFollowTheDialectAndTheOperandCount) {
  Load("SELECT 1");
  EXPECT_EQ(Items(Op(0)->GetPopupMenu()), "New Union SubQuery, Enclose With Brackets, (Remove), -, About Zarquel...");
  Load("SELECT 1 UNION SELECT 2 WHERE 2 IN (SELECT 3)");
  EXPECT_EQ(Items(Op(0)->GetPopupMenu()), "New Union SubQuery, Enclose With Brackets, Remove, -, About Zarquel...");
  // One operand per sub-query: its Remove counts only its own operands.
  TvxUnionSubQuery* Inner = FQueryBuilder.GetSubQueries(1)->FirstSelect();
  EXPECT_EQ(Items(Inner->GetPopupMenu()), "New Union SubQuery, Enclose With Brackets, (Remove), -, About Zarquel...");

  TMainOnlySyntaxProvider MainOnly;
  FQueryBuilder.SetSyntaxProvider(&MainOnly);
  Load("SELECT 1 WHERE 1 IN (SELECT 3)");
  Inner = FQueryBuilder.GetSubQueries(1)->FirstSelect();
  EXPECT_EQ(Items(Inner->GetPopupMenu()),
            "(New Union SubQuery), (Enclose With Brackets), (Remove), -, About Zarquel...");
  EXPECT_EQ(Items(Op(0)->GetPopupMenu()), "New Union SubQuery, Enclose With Brackets, (Remove), -, About Zarquel...");

  // Without a syntax provider (the component starts afresh with one operand) nothing of the
  // union can be edited.
  FQueryBuilder.SetSyntaxProvider(nullptr);
  EXPECT_EQ(Items(Op(0)->GetPopupMenu()),
            "(New Union SubQuery), (Enclose With Brackets), (Remove), -, About Zarquel...");
}

TEST_F(UnionMenu, WorkAreaMenuHoldsTheUnionItemsInASubmenu) {
  Load("SELECT 1 UNION SELECT 2");
  EXPECT_EQ(Items(Op(1)->GetPopupMenuWA()),
            "Add Table, Add Subquery, Union {New Union SubQuery, Enclose With Brackets, Remove}, Edit...*, -, "
            "About Zarquel...");
  FQueryBuilder.SetSyntaxProvider(nullptr);
  EXPECT_EQ(Items(Op(0)->GetPopupMenuWA()),
            "Add Table, Add Subquery, Union {(New Union SubQuery), (Enclose With Brackets), (Remove)}, (Edit...)*, -, "
            "About Zarquel...");
}

TEST_F(UnionMenu, ChoosingTheItemsEditsTheModel) {
  Load("SELECT 1 UNION ALL SELECT 2");
  Choose(Op(1)->GetPopupMenu(), "Enclose With Brackets");
  EXPECT_EQ(SQL(), "SELECT 1 UNION ALL (SELECT 2)");
  auto* Group = qobject_cast<TvxUnionGroup*>(Root()->GetItems(1));
  ASSERT_NE(Group, nullptr);
  EXPECT_EQ(Items(Group->GetPopupMenu()), "Remove Brackets, -, About Zarquel...");
  Choose(Group->GetPopupMenu(), "Remove Brackets");
  EXPECT_EQ(SQL(), "SELECT 1 UNION ALL SELECT 2");

  Choose(Op(0)->GetPopupMenuWA(), "New Union SubQuery");
  ASSERT_EQ(Root()->GetUnionSubQueriesCount(), 3);
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Op(2));
  Choose(Op(2)->GetPopupMenu(), "Remove");
  EXPECT_EQ(Root()->GetUnionSubQueriesCount(), 2);
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Op(1));

  Choose(Op(1)->GetPopupMenuWA(), "Add Subquery");
  EXPECT_EQ(SQL(), "SELECT 1 UNION ALL SELECT 2 FROM (SELECT) AS Query1");

  // "Add Table" opens the component's add-object dialog, modally.
  QWidget* Shown = nullptr;
  WhenModalShows([&Shown](QWidget* Modal) {
    Shown = Modal;
    Modal->close();
  });
  Choose(Op(0)->GetPopupMenuWA(), "Add Table");
  ASSERT_NE(Shown, nullptr);
  EXPECT_EQ(Shown, FQueryBuilder.GetAddObjectForm());
}

TEST_F(UnionMenu, OperatorMenuChecksTheCurrentOperatorAndSetsTheChosenOne) {
  Load("SELECT 1 UNION ALL SELECT 2");
  EXPECT_EQ(Items(Op(1)->GetUnionOperatorPopupMenu()), "Union, [x] Union All, -, About Zarquel...");
  Choose(Op(1)->GetUnionOperatorPopupMenu(), "Union");
  EXPECT_EQ(SQL(), "SELECT 1 Union SELECT 2");
  EXPECT_EQ(Items(Op(1)->GetUnionOperatorPopupMenu()), "[x] Union, Union All, -, About Zarquel...");
}

TEST_F(UnionMenu, ARefusedActionIsReportedNotThrown) {
  TMainOnlySyntaxProvider MainOnly;
  FQueryBuilder.SetSyntaxProvider(&MainOnly);
  // Brackets are allowed in the main query, so the item is enabled; but a group inside a group
  // asks the sub-query flag.
  Load("SELECT 1 UNION (SELECT 2 UNION SELECT 3)");
  std::vector<QString> Messages;
  QObject::connect(&FQueryBuilder, &TvxQueryBuilder::actionFailed,
                   [&Messages](const QString& Message) { Messages.push_back(Message); });
  Choose(Op(1)->GetPopupMenu(), "Enclose With Brackets");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].toStdString(), "This server don't support brackets in unions in subqueries!");
  EXPECT_EQ(SQL(), "SELECT 1 UNION (SELECT 2 UNION SELECT 3)");
}

TEST_F(UnionMenu, AMenuThatOutlivesItsOperandDoesNothing) {
  Load("SELECT 1 UNION SELECT 2");
  QMenu* Menu = Op(1)->GetPopupMenu();
  delete Op(1);
  FindItem(Menu, QStringLiteral("New Union SubQuery"))->trigger();
  EXPECT_EQ(SQL(), "SELECT 1");
}

}  // namespace
}  // namespace vxtest
