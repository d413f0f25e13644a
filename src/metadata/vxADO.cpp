#include "vxADO.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

QString ConnectionStringError(const QString& Detail) { return QStringLiteral("Invalid connection string: ") + Detail; }

// Splits "Key=Value;Key='a;b'" into pairs; quotes protect ";" and are doubled inside.
std::vector<std::pair<QString, QString>> SplitConnectionString(const QString& Text) {
  std::vector<std::pair<QString, QString>> Pairs;
  int Pos = 0;
  const int Length = int(Text.size());
  while (Pos < Length) {
    const int Equals = int(Text.indexOf(QLatin1Char('='), Pos));
    const int Semicolon = int(Text.indexOf(QLatin1Char(';'), Pos));
    if (Equals < 0 || (Semicolon >= 0 && Semicolon < Equals)) {
      const QString Part = Text.mid(Pos, Semicolon < 0 ? -1 : Semicolon - Pos).trimmed();
      if (!Part.isEmpty())
        throw EvxDatabaseError(ConnectionStringError(QStringLiteral("\"%1\" has no \"=\"").arg(Part)).toStdString());
      Pos = Semicolon < 0 ? Length : Semicolon + 1;
      continue;
    }
    const QString Key = Text.mid(Pos, Equals - Pos).trimmed();
    Pos = Equals + 1;
    while (Pos < Length && Text[Pos].isSpace()) ++Pos;
    QString Value;
    if (Pos < Length && (Text[Pos] == QLatin1Char('"') || Text[Pos] == QLatin1Char('\''))) {
      const QChar Quote = Text[Pos++];
      for (;;) {
        if (Pos >= Length)
          throw EvxDatabaseError(
              ConnectionStringError(QStringLiteral("the value of \"%1\" lacks its closing quote").arg(Key))
                  .toStdString());
        if (Text[Pos] == Quote) {
          if (Pos + 1 < Length && Text[Pos + 1] == Quote) {
            Value += Quote;
            Pos += 2;
            continue;
          }
          ++Pos;
          break;
        }
        Value += Text[Pos++];
      }
      while (Pos < Length && Text[Pos].isSpace()) ++Pos;
      if (Pos < Length && Text[Pos] != QLatin1Char(';'))
        throw EvxDatabaseError(
            ConnectionStringError(QStringLiteral("text follows the quoted value of \"%1\"").arg(Key)).toStdString());
    } else {
      const int End = int(Text.indexOf(QLatin1Char(';'), Pos));
      Value = Text.mid(Pos, End < 0 ? -1 : End - Pos).trimmed();
      Pos = End < 0 ? Length : End;
    }
    ++Pos;  // the ";"
    Pairs.emplace_back(Key, Value);
  }
  return Pairs;
}

}  // namespace

// --- TADOConnection --------------------------------------------------------------------------

TADOConnection::TADOConnection(QObject* Owner) : QObject(Owner), FConnection(QStringLiteral("vxADO")) {}

TADOConnection::~TADOConnection() = default;

TvxConnectionSettings TADOConnection::ParseConnectionString(const QString& ConnectionString) {
  TvxConnectionSettings Settings;
  for (const auto& [Key, Value] : SplitConnectionString(ConnectionString)) {
    const QString K = Key.toLower();
    if (K == QLatin1String("provider")) {
      Settings.Driver = Value;
    } else if (K == QLatin1String("data source") || K == QLatin1String("database") ||
               K == QLatin1String("initial catalog")) {
      Settings.DatabaseName = Value;
    } else if (K == QLatin1String("host") || K == QLatin1String("server")) {
      Settings.Host = Value;
    } else if (K == QLatin1String("port")) {
      bool Ok = false;
      Settings.Port = Value.toInt(&Ok);
      if (!Ok || Settings.Port < 0 || Settings.Port > 65535)
        throw EvxDatabaseError(
            ConnectionStringError(QStringLiteral("\"%1\" is not a port number").arg(Value)).toStdString());
    } else if (K == QLatin1String("user id") || K == QLatin1String("uid") || K == QLatin1String("user")) {
      Settings.UserName = Value;
    } else if (K == QLatin1String("password") || K == QLatin1String("pwd")) {
      Settings.Password = Value;
    } else if (K == QLatin1String("options")) {
      Settings.Options = Value;
    } else {
      throw EvxDatabaseError(ConnectionStringError(QStringLiteral("unknown key \"%1\"").arg(Key)).toStdString());
    }
  }
  if (Settings.Driver.isEmpty())
    throw EvxDatabaseError(ConnectionStringError(QStringLiteral("\"Provider\" is missing")).toStdString());
  return Settings;
}

void TADOConnection::SetConnectionString(const QString& ConnectionString) {
  if (FConnectionString == ConnectionString) return;
  Close();
  FConnectionString = ConnectionString;
}

void TADOConnection::Open() {
  if (FConnection.IsOpen()) return;
  FIndex.Invalidate();
  FConnection.Open(ParseConnectionString(FConnectionString));
}

void TADOConnection::Close() { FConnection.Close(); }

QSqlDatabase TADOConnection::GetDatabase() {
  Open();
  return FConnection.GetDatabase();
}

TvxNameFolding TADOConnection::GetNameFolding() const {
  try {
    return vxDriverNameFolding(ParseConnectionString(FConnectionString).Driver);
  } catch (const EvxDatabaseError&) {
    return TvxNameFolding::nfNone;
  }
}

TvxQtSqlCatalog TADOConnection::GetCatalog(const QString& Schema) {
  return TvxQtSqlCatalog(GetDatabase(), Schema, &FIndex);
}

void TADOConnection::OpenSchema(TSchemaInfo Schema, const QVariantList& Restrictions, TADODataSet* DataSet) {
  const auto Restriction = [&](int Index) {
    return Index < Restrictions.size() && !Restrictions[Index].isNull() ? Restrictions[Index].toString() : QString();
  };
  std::vector<QVariantList> Rows;
  switch (Schema) {
    case siTables: {
      const TvxQtSqlCatalog Catalog = GetCatalog(Restriction(1));
      const QString Name = Restriction(2), Type = Restriction(3);
      for (const TvxCatalogObject& Object : Catalog.GetObjects(true)) {
        const QString ObjectType = Object.Kind == TvxCatalogObjectKind::cokView ? QStringLiteral("VIEW")
                                   : Object.Kind == TvxCatalogObjectKind::cokSystemTable
                                       ? QStringLiteral("SYSTEM TABLE")
                                       : QStringLiteral("TABLE");
        if ((Name.isEmpty() || Name == Object.Name) && (Type.isEmpty() || Type == ObjectType))
          Rows.push_back({QVariant(), Catalog.GetSchema(), Object.Name, ObjectType});
      }
      DataSet->SetRowset({QStringLiteral("TABLE_CATALOG"), QStringLiteral("TABLE_SCHEMA"), QStringLiteral("TABLE_NAME"),
                          QStringLiteral("TABLE_TYPE")},
                         std::move(Rows));
      return;
    }
    case siForeignKeys: {
      const QString PKSchema = Restriction(1), FKSchema = Restriction(4);
      if (!PKSchema.isEmpty() && !FKSchema.isEmpty() && PKSchema != FKSchema)
        throw EvxDatabaseError("The foreign-keys rowset cannot relate two different schemas");
      const TvxQtSqlCatalog Catalog = GetCatalog(PKSchema.isEmpty() ? FKSchema : PKSchema);
      if (!Catalog.SupportsForeignKeys())
        throw EvxDatabaseError(QStringLiteral("The driver \"%1\" supplies no foreign-keys rowset")
                                   .arg(GetDatabase().driverName())
                                   .toStdString());
      for (const TvxForeignKeyColumn& Key : Catalog.GetForeignKeys(Restriction(2), Restriction(5)))
        Rows.push_back({QVariant(), Catalog.GetSchema(), Key.PKTable, Key.PKColumn, QVariant(), Catalog.GetSchema(),
                        Key.FKTable, Key.FKColumn, Key.Ordinal, Key.Name});
      DataSet->SetRowset(
          {QStringLiteral("PK_TABLE_CATALOG"), QStringLiteral("PK_TABLE_SCHEMA"), QStringLiteral("PK_TABLE_NAME"),
           QStringLiteral("PK_COLUMN_NAME"), QStringLiteral("FK_TABLE_CATALOG"), QStringLiteral("FK_TABLE_SCHEMA"),
           QStringLiteral("FK_TABLE_NAME"), QStringLiteral("FK_COLUMN_NAME"), QStringLiteral("ORDINAL"),
           QStringLiteral("FK_NAME")},
          std::move(Rows));
      return;
    }
  }
  throw EvxDatabaseError(QStringLiteral("The schema rowset %1 is not supported").arg(int(Schema)).toStdString());
}

// --- TField ----------------------------------------------------------------------------------

int TField::AsInteger() const {
  bool Ok = false;
  const int Value = FValue.toInt(&Ok);
  if (!Ok)
    throw EvxDatabaseError(QStringLiteral("\"%1\" is not a valid integer value of field %2")
                               .arg(FValue.toString(), FFieldName)
                               .toStdString());
  return Value;
}

// --- TADODataSet -----------------------------------------------------------------------------

TADODataSet::TADODataSet(QObject* Owner) : QObject(Owner), FieldDefs([this] { return ReadFieldNames(); }) {}

TADOConnection& TADODataSet::RequireConnection() const {
  if (!FConnection) throw EvxDatabaseError("Missing Connection or ConnectionString");
  return *FConnection;
}

std::vector<QString> TADODataSet::ReadFieldNames() {
  const QStringList Names = RequireConnection().GetCatalog().DescribeStatement(FCommandText);
  return std::vector<QString>(Names.begin(), Names.end());
}

void TADODataSet::Open() {
  QSqlQuery Query(RequireConnection().GetDatabase());
  Query.setForwardOnly(true);
  if (!Query.exec(FCommandText)) {
    QString Message = Query.lastError().databaseText().trimmed();
    vxRaiseDatabaseError(QStringLiteral("Cannot open the data set"),
                         Message.isEmpty() ? Query.lastError().text() : Message);
  }
  QStringList Names;
  const QSqlRecord Record = Query.record();
  for (int I = 0; I < Record.count(); ++I) Names << Record.fieldName(I);
  std::vector<QVariantList> Rows;
  while (Query.next()) {
    QVariantList Row;
    for (int I = 0; I < Names.size(); ++I) Row << Query.value(I);
    Rows.push_back(std::move(Row));
  }
  SetRowset(std::move(Names), std::move(Rows));
}

void TADODataSet::Close() {
  FFieldNames.clear();
  FRows.clear();
  FRecNo = 0;
  FActive = false;
}

void TADODataSet::SetRowset(QStringList FieldNames, std::vector<QVariantList> Rows) {
  FFieldNames = std::move(FieldNames);
  FRows = std::move(Rows);
  FRecNo = 0;
  FActive = true;
  if (!FSort.isEmpty()) SetSort(FSort);
}

int TADODataSet::FieldIndex(const QString& Name) const {
  for (int I = 0; I < FFieldNames.size(); ++I)
    if (FFieldNames[I].compare(Name, Qt::CaseInsensitive) == 0) return I;
  throw EvxDatabaseError(QStringLiteral("Field '%1' not found").arg(Name).toStdString());
}

TField TADODataSet::FieldByName(const QString& Name) const {
  const int Index = FieldIndex(Name);
  if (Eof()) throw EvxDatabaseError(QStringLiteral("No current record for field '%1'").arg(Name).toStdString());
  return TField(FFieldNames[Index], FRows[size_t(FRecNo)][Index]);
}

namespace {

// Numbers compare as numbers, text case-insensitively (ties broken exactly); nulls first.
int CompareValues(const QVariant& A, const QVariant& B) {
  if (A.isNull() || B.isNull()) return int(B.isNull()) - int(A.isNull());
  const auto IsNumber = [](const QVariant& V) {
    switch (V.typeId()) {
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::LongLong:
      case QMetaType::ULongLong:
      case QMetaType::Double:
        return true;
      default:
        return false;
    }
  };
  if (IsNumber(A) && IsNumber(B)) {
    const double X = A.toDouble(), Y = B.toDouble();
    return X < Y ? -1 : X > Y ? 1 : 0;
  }
  return vxCompareNames(A.toString(), B.toString());
}

}  // namespace

void TADODataSet::SetSort(const QString& Sort) {
  std::vector<std::pair<int, bool>> Keys;  // field index, descending
  for (const QString& Part : Sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    QStringList Words = Part.simplified().split(QLatin1Char(' '));
    bool Descending = false;
    if (Words.size() > 1 && (Words.last().compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0 ||
                             Words.last().compare(QLatin1String("ASC"), Qt::CaseInsensitive) == 0)) {
      Descending = Words.takeLast().compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    }
    const QString Name = Words.join(QLatin1Char(' '));
    if (Name.isEmpty()) continue;
    Keys.emplace_back(FActive ? FieldIndex(Name) : -1, Descending);
  }
  FSort = Sort;
  if (!FActive) return;
  std::stable_sort(FRows.begin(), FRows.end(), [&](const QVariantList& A, const QVariantList& B) {
    for (const auto& [Index, Descending] : Keys)
      if (int C = CompareValues(A[Index], B[Index]); C != 0) return Descending ? C > 0 : C < 0;
    return false;
  });
  FRecNo = 0;
}
