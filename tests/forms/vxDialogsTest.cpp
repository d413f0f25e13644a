#include "vxDialogsTest.h"

#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxTestDatabases.h"

#include <QDir>
#include <QTest>
#include <QWidget>

namespace vxtest {

TDialogRig::TDialogRig(const QString& Connection) {
  Metadata.SetConnectionName(Connection.isEmpty() ? SQLiteSample().ConnectionName : Connection);
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
}

void TDialogRig::Show() {
  QueryBuilder.resize(900, 600);
  QueryBuilder.show();
  // Active too: a window system that activates it late would take the focus from a dialog
  // opened in the meantime.
  QVERIFY(QTest::qWaitForWindowActive(&QueryBuilder));
}

void TDialogRig::Load(const std::string& Text) {
  QueryBuilder.SetSQL(Text);
  QueryBuilder.ProcessPendingSQL();
}

namespace {

// The first item of Item's subtree, itself first, for which Found answers non-null.
template <class T>
T* FindBelow(TvxDatasourceBase* Item, const std::function<T*(TvxDatasourceBase*)>& Found) {
  if (T* Hit = Found(Item)) return Hit;
  if (auto* Group = qobject_cast<TvxDatasourceGroup*>(Item))
    for (int I = 0; I < Group->GetCount(); ++I)
      if (T* Hit = FindBelow(Group->GetItems(I), Found)) return Hit;
  return nullptr;
}

}  // namespace

TvxLink* TDialogRig::FirstLink() const {
  return FindBelow<TvxLink>(QueryBuilder.GetRootQuery()->FirstSelect()->GetFromClause(), [](TvxDatasourceBase* Item) {
    return Item->GetJoinsCount() > 0 ? Item->GetJoins(0) : nullptr;
  });
}

TvxDatasource* TDialogRig::Datasource(const std::string& Caption) const {
  return FindBelow<TvxDatasource>(QueryBuilder.GetRootQuery()->FirstSelect()->GetFromClause(),
                                  [&Caption](TvxDatasourceBase* Item) {
                                    auto* Table = qobject_cast<TvxDatasource*>(Item);
                                    return Table != nullptr && Table->GetCaption() == Caption ? Table : nullptr;
                                  });
}

QString SaveScreenshot(QWidget& Widget, const QString& Name) {
  const QString Folder = QStringLiteral(VX_SCREENSHOT_DIR);
  QDir().mkpath(Folder);
  const QString Path = Folder + "/" + Name + ".png";
  return Widget.grab().save(Path) ? Path : QString();
}

}  // namespace vxtest
