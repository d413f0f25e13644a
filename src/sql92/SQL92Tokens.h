// Token kinds of the SQL-92 scanner. The numbers are fixed: the generated parser tests kinds by
// number and by range (every non-reserved keyword can be a name, the type words, aggregates and
// comparison operators are each one consecutive block), so never renumber or reorder them.
//
// Naming: the literal kinds, the end of text and NoSymKind keep their historical names
// (EOFKind, intNumber, string, NoSymKind, ...);
// punctuation is sym + what it is; a keyword is kw + its words in PascalCase, split at the
// underscores (CURRENT_TIMESTAMP -> kwCurrentTimestamp, INT8 -> kwInt8, C -> kwC).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sql92 {

enum TSQL92TokenKind : int32_t {
  EOFKind = 0,
  intNumber = 1,
  realNumber = 2,
  dateTimeLiteral = 3,
  ident = 4,
  quotedIdent = 5,
  hexNumber = 6,
  string = 7,
  param = 8,
  symSemicolon = 9,
  kwOrder = 10,
  kwBy = 11,
  symComma = 12,
  kwAsc = 13,
  kwDesc = 14,
  kwUnion = 15,
  kwExcept = 16,
  kwIntersect = 17,
  kwAll = 18,
  symLParen = 19,
  symRParen = 20,
  kwWhere = 21,
  kwHaving = 22,
  kwSelect = 23,
  kwDistinct = 24,
  kwGroup = 25,
  symStar = 26,
  symEqual = 27,
  symDotStar = 28,
  kwAs = 29,
  kwFrom = 30,
  kwCross = 31,
  kwJoin = 32,
  kwInner = 33,
  kwLeft = 34,
  kwRight = 35,
  kwFull = 36,
  kwOuter = 37,
  kwOn = 38,
  kwOr = 39,
  kwAnd = 40,
  kwNot = 41,
  kwIs = 42,
  kwNull = 43,
  kwLike = 44,
  kwEscape = 45,
  kwBetween = 46,
  kwIn = 47,
  kwExists = 48,
  kwSome = 49,
  kwAny = 50,
  symPlus = 51,
  symMinus = 52,
  symSlash = 53,
  symPercent = 54,
  symTilde = 55,
  kwCurrentTimestamp = 56,
  kwCurrentUser = 57,
  kwSessionUser = 58,
  kwSystemUser = 59,
  kwCase = 60,
  kwWhen = 61,
  kwThen = 62,
  kwElse = 63,
  kwEnd = 64,
  symDot = 65,
  kwBigint = 66,
  kwInt8 = 67,
  kwBigserial = 68,
  kwSerial8 = 69,
  kwBit = 70,
  kwVarbit = 71,
  kwVarchar = 72,
  kwCharacter = 73,
  kwChar = 74,
  kwInterval = 75,
  kwNumeric = 76,
  kwDecimal = 77,
  kwBoolean = 78,
  kwBool = 79,
  kwBox = 80,
  kwBytea = 81,
  kwCidr = 82,
  kwCircle = 83,
  kwDate = 84,
  kwDouble = 85,
  kwPrecision = 86,
  kwFloat8 = 87,
  kwInet = 88,
  kwInteger = 89,
  kwInt = 90,
  kwInt4 = 91,
  kwLine = 92,
  kwLseg = 93,
  kwMacaddr = 94,
  kwMoney = 95,
  kwPath = 96,
  kwPoint = 97,
  kwPolygon = 98,
  kwReal = 99,
  kwFloat4 = 100,
  kwSmallint = 101,
  kwInt2 = 102,
  kwSerial = 103,
  kwSerial4 = 104,
  kwText = 105,
  kwTime = 106,
  kwTimetz = 107,
  kwTimestamp = 108,
  kwTimestamptz = 109,
  kwVarying = 110,
  kwWithout = 111,
  kwZone = 112,
  kwWith = 113,
  kwAvg = 114,
  kwMax = 115,
  kwMin = 116,
  kwSum = 117,
  kwCount = 118,
  kwCast = 119,
  kwAda = 120,
  kwC = 121,
  kwCatalogName = 122,
  kwCharacterSetCatalog = 123,
  kwCharacterSetName = 124,
  kwCharacterSetSchema = 125,
  kwClassOrigin = 126,
  kwCobol = 127,
  kwCollationCatalog = 128,
  kwCollationName = 129,
  kwCollationSchema = 130,
  kwColumnName = 131,
  kwCommandFunction = 132,
  kwCommitted = 133,
  kwConditionNumber = 134,
  kwConnectionName = 135,
  kwConstraintCatalog = 136,
  kwConstraintName = 137,
  kwConstraintSchema = 138,
  kwCursorName = 139,
  kwData = 140,
  kwDatetimeIntervalCode = 141,
  kwDatetimeIntervalPrecision = 142,
  kwDynamicFunction = 143,
  kwFortran = 144,
  kwLength = 145,
  kwMessageLength = 146,
  kwMessageOctetLength = 147,
  kwMessageText = 148,
  kwMore = 149,
  kwMumps = 150,
  kwName = 151,
  kwNullable = 152,
  kwNumber = 153,
  kwPascal = 154,
  kwPli = 155,
  kwRepeatable = 156,
  kwReturnedLength = 157,
  kwReturnedOctetLength = 158,
  kwReturnedSqlstate = 159,
  kwRowCount = 160,
  kwScale = 161,
  kwSchemaName = 162,
  kwSerializable = 163,
  kwServerName = 164,
  kwSubclassOrigin = 165,
  kwTableName = 166,
  kwType = 167,
  kwUncommitted = 168,
  kwUnnamed = 169,
  symNotEqual = 170,
  symBangEqual = 171,
  symLessEqual = 172,
  symNotGreater = 173,
  symLess = 174,
  symGreaterEqual = 175,
  symNotLess = 176,
  symGreater = 177,
  NoSymKind = 178,
};

// Keywords 120..169 are non-reserved: the parser takes each of them as a table, column,
// function or alias name. Every other keyword is reserved and can only be a name when quoted.
inline constexpr int32_t FirstNonReservedKind = kwAda;
inline constexpr int32_t LastNonReservedKind = kwUnnamed;
inline constexpr int32_t FirstTypeWordKind = kwBigint;
inline constexpr int32_t LastTypeWordKind = kwWith;
inline constexpr int32_t FirstAggregateKind = kwAvg;
inline constexpr int32_t LastAggregateKind = kwCount;
inline constexpr int32_t FirstComparisonKind = symNotEqual;
inline constexpr int32_t LastComparisonKind = symGreater;
inline constexpr int32_t TokenKindCount = NoSymKind + 1;
// The longest keyword (DATETIME_INTERVAL_PRECISION); longer words never need a look-up.
inline constexpr int MaxKeywordLength = 27;

constexpr bool IsNonReservedKind(int32_t Kind) { return Kind >= FirstNonReservedKind && Kind <= LastNonReservedKind; }
constexpr bool IsTypeWordKind(int32_t Kind) { return Kind >= FirstTypeWordKind && Kind <= LastTypeWordKind; }
constexpr bool IsAggregateKind(int32_t Kind) { return Kind >= FirstAggregateKind && Kind <= LastAggregateKind; }
constexpr bool IsComparisonKind(int32_t Kind) { return Kind >= FirstComparisonKind && Kind <= LastComparisonKind; }

// The written form of every kind that has exactly one: keywords in capitals, punctuation and
// operators as written; nullptr for the literal kinds, the end of text and NoSymKind.
inline constexpr const char* TokenKindTexts[TokenKindCount] = {
    nullptr,                        // 0
    nullptr,                        // 1
    nullptr,                        // 2
    nullptr,                        // 3
    nullptr,                        // 4
    nullptr,                        // 5
    nullptr,                        // 6
    nullptr,                        // 7
    nullptr,                        // 8
    ";",                            // 9
    "ORDER",                        // 10
    "BY",                           // 11
    ",",                            // 12
    "ASC",                          // 13
    "DESC",                         // 14
    "UNION",                        // 15
    "EXCEPT",                       // 16
    "INTERSECT",                    // 17
    "ALL",                          // 18
    "(",                            // 19
    ")",                            // 20
    "WHERE",                        // 21
    "HAVING",                       // 22
    "SELECT",                       // 23
    "DISTINCT",                     // 24
    "GROUP",                        // 25
    "*",                            // 26
    "=",                            // 27
    ".*",                           // 28
    "AS",                           // 29
    "FROM",                         // 30
    "CROSS",                        // 31
    "JOIN",                         // 32
    "INNER",                        // 33
    "LEFT",                         // 34
    "RIGHT",                        // 35
    "FULL",                         // 36
    "OUTER",                        // 37
    "ON",                           // 38
    "OR",                           // 39
    "AND",                          // 40
    "NOT",                          // 41
    "IS",                           // 42
    "NULL",                         // 43
    "LIKE",                         // 44
    "ESCAPE",                       // 45
    "BETWEEN",                      // 46
    "IN",                           // 47
    "EXISTS",                       // 48
    "SOME",                         // 49
    "ANY",                          // 50
    "+",                            // 51
    "-",                            // 52
    "/",                            // 53
    "%",                            // 54
    "~",                            // 55
    "CURRENT_TIMESTAMP",            // 56
    "CURRENT_USER",                 // 57
    "SESSION_USER",                 // 58
    "SYSTEM_USER",                  // 59
    "CASE",                         // 60
    "WHEN",                         // 61
    "THEN",                         // 62
    "ELSE",                         // 63
    "END",                          // 64
    ".",                            // 65
    "BIGINT",                       // 66
    "INT8",                         // 67
    "BIGSERIAL",                    // 68
    "SERIAL8",                      // 69
    "BIT",                          // 70
    "VARBIT",                       // 71
    "VARCHAR",                      // 72
    "CHARACTER",                    // 73
    "CHAR",                         // 74
    "INTERVAL",                     // 75
    "NUMERIC",                      // 76
    "DECIMAL",                      // 77
    "BOOLEAN",                      // 78
    "BOOL",                         // 79
    "BOX",                          // 80
    "BYTEA",                        // 81
    "CIDR",                         // 82
    "CIRCLE",                       // 83
    "DATE",                         // 84
    "DOUBLE",                       // 85
    "PRECISION",                    // 86
    "FLOAT8",                       // 87
    "INET",                         // 88
    "INTEGER",                      // 89
    "INT",                          // 90
    "INT4",                         // 91
    "LINE",                         // 92
    "LSEG",                         // 93
    "MACADDR",                      // 94
    "MONEY",                        // 95
    "PATH",                         // 96
    "POINT",                        // 97
    "POLYGON",                      // 98
    "REAL",                         // 99
    "FLOAT4",                       // 100
    "SMALLINT",                     // 101
    "INT2",                         // 102
    "SERIAL",                       // 103
    "SERIAL4",                      // 104
    "TEXT",                         // 105
    "TIME",                         // 106
    "TIMETZ",                       // 107
    "TIMESTAMP",                    // 108
    "TIMESTAMPTZ",                  // 109
    "VARYING",                      // 110
    "WITHOUT",                      // 111
    "ZONE",                         // 112
    "WITH",                         // 113
    "AVG",                          // 114
    "MAX",                          // 115
    "MIN",                          // 116
    "SUM",                          // 117
    "COUNT",                        // 118
    "CAST",                         // 119
    "ADA",                          // 120
    "C",                            // 121
    "CATALOG_NAME",                 // 122
    "CHARACTER_SET_CATALOG",        // 123
    "CHARACTER_SET_NAME",           // 124
    "CHARACTER_SET_SCHEMA",         // 125
    "CLASS_ORIGIN",                 // 126
    "COBOL",                        // 127
    "COLLATION_CATALOG",            // 128
    "COLLATION_NAME",               // 129
    "COLLATION_SCHEMA",             // 130
    "COLUMN_NAME",                  // 131
    "COMMAND_FUNCTION",             // 132
    "COMMITTED",                    // 133
    "CONDITION_NUMBER",             // 134
    "CONNECTION_NAME",              // 135
    "CONSTRAINT_CATALOG",           // 136
    "CONSTRAINT_NAME",              // 137
    "CONSTRAINT_SCHEMA",            // 138
    "CURSOR_NAME",                  // 139
    "DATA",                         // 140
    "DATETIME_INTERVAL_CODE",       // 141
    "DATETIME_INTERVAL_PRECISION",  // 142
    "DYNAMIC_FUNCTION",             // 143
    "FORTRAN",                      // 144
    "LENGTH",                       // 145
    "MESSAGE_LENGTH",               // 146
    "MESSAGE_OCTET_LENGTH",         // 147
    "MESSAGE_TEXT",                 // 148
    "MORE",                         // 149
    "MUMPS",                        // 150
    "NAME",                         // 151
    "NULLABLE",                     // 152
    "NUMBER",                       // 153
    "PASCAL",                       // 154
    "PLI",                          // 155
    "REPEATABLE",                   // 156
    "RETURNED_LENGTH",              // 157
    "RETURNED_OCTET_LENGTH",        // 158
    "RETURNED_SQLSTATE",            // 159
    "ROW_COUNT",                    // 160
    "SCALE",                        // 161
    "SCHEMA_NAME",                  // 162
    "SERIALIZABLE",                 // 163
    "SERVER_NAME",                  // 164
    "SUBCLASS_ORIGIN",              // 165
    "TABLE_NAME",                   // 166
    "TYPE",                         // 167
    "UNCOMMITTED",                  // 168
    "UNNAMED",                      // 169
    "<>",                           // 170
    "!=",                           // 171
    "<=",                           // 172
    "!>",                           // 173
    "<",                            // 174
    ">=",                           // 175
    "!<",                           // 176
    ">",                            // 177
    nullptr,                        // 178
};

constexpr bool IsKeywordKind(int32_t Kind) {
  if (Kind < 0 || Kind >= TokenKindCount || TokenKindTexts[Kind] == nullptr) return false;
  const char First = TokenKindTexts[Kind][0];
  return First >= 'A' && First <= 'Z';
}

// The keyword of a text, matched with ASCII case folding only (no locale can change it);
// ident when the text is no keyword.
int32_t FindKeyword(std::string_view Word);

// The keyword look-up's tables, built at compile time in SQL92Tokens.cpp: a perfect hash of a
// word's first sixteen folded bytes (and of the length of a longer word) gives the only
// keyword the word can be, and the word is then compared with that keyword's folded text,
// 8 bytes at a time.
struct TKeywordTable {
  static constexpr uint32_t SlotBits = 12;
  static constexpr int ChunkCount = (MaxKeywordLength + 7) / 8;
  // Identifier bytes fold to lower case with | 0x20: letters go to lower case while digits stay
  // and "_" becomes 0x7F, so the fold is exact on the bytes an identifier can hold.
  static constexpr uint64_t FoldBits = 0x2020202020202020u;

  uint64_t Multiplier = 0;
  std::array<uint8_t, 1u << SlotBits> Slots{};  // the keyword's kind; 0 for an empty slot
  // Per kind: the folded text in 8-byte chunks, first byte lowest, zeros past the end (all zero
  // for a kind that is no keyword).
  std::array<std::array<uint64_t, ChunkCount>, TokenKindCount> Chunks{};
  std::array<uint8_t, TokenKindCount> Lengths{};
  // Per word length: the masks that keep the word's bytes of each 8-byte chunk.
  std::array<std::array<uint64_t, ChunkCount>, MaxKeywordLength + 1> ChunkMasks{};

  // The two chunks tell every two keywords of up to 15 bytes apart (a shorter word has zeros
  // after its end); longer keywords may share them (DATETIME_INTERVAL_...), so for those the
  // length is mixed in as well.
  constexpr uint32_t SlotOf(uint64_t First, uint64_t Second, size_t Length) const {
    const uint64_t Key = First + Second + (Length >= 16 ? static_cast<uint64_t>(Length) * 0x9E3779B97F4A7C15u : 0);
    return static_cast<uint32_t>((Key * Multiplier) >> (64 - SlotBits));
  }
};
extern const TKeywordTable KeywordTable;

// FindKeyword for a scanner's identifier: Length bytes of letters, digits and "_" at Word, which
// must be followed by at least 16 readable bytes (the scanner pads its copy of the text).
// Inline, since the scanner calls it for every name: most words are settled by two whole 8-byte
// loads, folded and masked to the word's length, one table read and one comparison.
inline int32_t FindKeywordInPaddedIdent(const char* Word, size_t Length) {
  // The two chunks of a word of 16 bytes or more could not tell it from a longer keyword.
  if (Length >= 16) [[unlikely]]
    return FindKeyword(std::string_view(Word, Length));
  uint64_t First, Second;
  std::memcpy(&First, Word, sizeof First);
  std::memcpy(&Second, Word + 8, sizeof Second);
  const auto& Masks = KeywordTable.ChunkMasks[Length];
  First = (First | TKeywordTable::FoldBits) & Masks[0];
  Second = (Second | TKeywordTable::FoldBits) & Masks[1];
  const int32_t Kind = KeywordTable.Slots[KeywordTable.SlotOf(First, Second, Length)];
  // Identifier bytes never fold to 0, so equal chunks mean equal lengths too, and a keyword of
  // 16 bytes or more differs in the last byte; the empty slot 0 has all-zero chunks, which no
  // identifier has.
  const auto& Expected = KeywordTable.Chunks[static_cast<size_t>(Kind)];
  const bool Same = ((First ^ Expected[0]) | (Second ^ Expected[1])) == 0;
  return Same ? Kind : ident;
}

}  // namespace sql92

// The keyword's text in capitals ("SELECT" for kwSelect); nullptr when Kind is no keyword.
constexpr const char* GetSQL92KeywordText(int Kind) {
  return sql92::IsKeywordKind(Kind) ? sql92::TokenKindTexts[Kind] : nullptr;
}

// True for a word that is a reserved keyword (any keyword outside 120..169), compared with
// ASCII case folding: such a word can never be written bare as a name.
bool IsSQL92ReservedWord(std::string_view Word);
