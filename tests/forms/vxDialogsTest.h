// Shared pieces of the dialog tests: a component on the SQL-92 dialect reading a SQLite
// database through the Qt SQL provider, and the pictures the tests leave for people to look at.
#pragma once

#include "vxModelTest.h"
#include "vxQtSqlMetadataProvider.h"

#include <QString>

class QWidget;
class TvxDatasource;
class TvxLink;

namespace vxtest {

// Providers are declared first so that they outlive the component.
struct TDialogRig {
  TvxSQL92SyntaxProvider Syntax;
  TvxQtSqlMetadataProvider Metadata;
  TvxQueryBuilder QueryBuilder;

  // On the Qt SQL connection named Connection; by default the sample database in SQLite.
  explicit TDialogRig(const QString& Connection = QString());
  // Shows the component at 900 x 600 and waits until it is the active window, so that double
  // clicks on its boxes and lines reach them.
  void Show();
  // Assigns Text and loads it at once (raising as the synchronous loader does).
  void Load(const std::string& Text);
  std::string SQL() const { return QueryBuilder.GetSQL(); }
  // The first link and the datasource captioned Caption in the first operand's FROM clause;
  // null when there is none.
  TvxLink* FirstLink() const;
  TvxDatasource* Datasource(const std::string& Caption) const;
};

// Writes Widget's picture to the screenshot folder of the build tree as Name.png; the path, or
// empty on failure.
QString SaveScreenshot(QWidget& Widget, const QString& Name);

}  // namespace vxtest
