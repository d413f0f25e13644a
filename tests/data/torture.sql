-- Names and texts that a writer easily spoils: blanks, keywords, doubled quotes, non-ASCII
-- letters (UTF-8) and letter case inside delimiters. Every statement must come back from a
-- parse-and-write round trip with each name, string and alias exactly as written here.
-- Same format as the corpus (tests/data/corpus/README.md); statements over names the sample
-- database does not have are marked "-- engines: none".

-- engines: none
SELECT "Order Details".Quantity FROM "Order Details"
;
-- engines: none
SELECT [Order Details].[Unit Price] FROM [Order Details]
;
-- engines: none
SELECT "Order Details"."Unit Price" * "Order Details"."Quantity Ordered" AS "Line Total" FROM "Order Details"
;
-- engines: none
SELECT od.[Unit Price], od."Quantity Ordered" FROM [Order Details] AS od
;
-- engines: none
SELECT "  leading and trailing blanks  " FROM "  spaced table  "
;
-- engines: none
SELECT "select", "from", "where", "order", "group", "by" FROM "table"
;
-- engines: none
SELECT [select], [from], [date], [count], [text], [line] FROM [union]
;
-- engines: none
SELECT t."date", t."time", t."timestamp", t."interval" FROM "events" t WHERE t."date" > '2024-01-01'
;
-- engines: none
SELECT "count"("x") AS "sum", "max"(t."min") AS "avg" FROM t
;
-- engines: none
SELECT "cast", "case", "when", "then", "else", "end" FROM "keywords"
;
-- engines: none
SELECT name, type, data, length, number, scale, more, c, ada, cobol FROM catalog_name
;
-- engines: none
SELECT Name, TYPE, Data, LENGTH(Data) AS Length FROM Table_Name WHERE Type = 'x'
;
-- engines: none
SELECT t.name FROM schema_name.table_name t INNER JOIN server_name.catalog_name.schema_name.column_name c ON c.name = t.name
;
-- engines: none
SELECT "a ""quoted"" name" FROM "the ""real"" table"
;
-- engines: none
SELECT """" AS """", """""" FROM """x"""
;
-- engines: none
SELECT "it's" AS "don't" FROM "O'Brien's"
;
-- engines: none
SELECT [it's], [say "hi"], [a ""b""] FROM [O'Brien's]
;
-- engines: none
SELECT [a][b], [first part][second part].x FROM [a][b]
;
-- engines: none
SELECT "Größe", "Maß", "Straße" FROM "Bestellpositionen" WHERE "Größe" > 10
;
-- engines: none
SELECT [Größe], [Ölpreis €] FROM [Kunden & Lieferanten]
;
-- engines: none
SELECT "Ελληνικά" AS "Αλφα", "日本語の列" AS "列", "Кириллица" FROM "Таблица"
;
-- engines: none
SELECT "emoji 😀 column" FROM "🚚 shipments"
;
-- engines: none
SELECT "MiXeD", "mixed", "MIXED", MiXeD, mixed, MIXED FROM "CamelCase" AS "Alias", CamelCase AS camelcase
;
-- engines: none
SELECT CamelCaseColumn, lowercasecolumn, UPPERCASECOLUMN, Under_Score_Column, _leading, trailing_ FROM MixedCaseTable
;
-- engines: none
SELECT "dbo"."Customers"."Company Name" FROM "dbo"."Customers"
;
-- engines: none
SELECT [srv].[db].[dbo].[Customers].[Company Name] FROM [srv].[db].[dbo].[Customers]
;
-- engines: none
SELECT x FROM "db".."t t" UNION SELECT y FROM [db]..[u u]
;
-- engines: none
SELECT "a b".c, "d e"."f g" FROM "a b" INNER JOIN "d e" ON "d e"."f g" = "a b".c
;
-- engines: none
SELECT d."col 1", d."col 2" FROM (SELECT 1, 2) AS d ("col 1", "col 2")
;
-- engines: none
SELECT d.[col 1] FROM (SELECT 1) [derived table] ([col 1])
;
-- engines: none
SELECT "f"(1) AS "result", [g]('x') AS [result 2], My_Func("a b") AS MyResult FROM "t t"
;
-- engines: none
SELECT CAST(x AS "MyType") AS a, CAST(y AS dbo."Amount Type") AS b FROM t
;
SELECT 'it''s' AS Quote1, 'O''Hara''s' AS Quote2, '''' AS OnlyQuote, '''''' AS TwoQuotes
;
SELECT '"double" inside single' AS A, '[brackets] inside' AS B, '-- not a comment' AS C
;
SELECT 'Zürich' AS City, 'São Paulo' AS Other, 'Ærøskøbing' AS Third, 'Łódź' AS Fourth
;
SELECT 'Ελληνικά' AS Greek, '日本語' AS Japanese, 'Кириллица' AS Cyrillic, 'עברית' AS Hebrew
;
SELECT 'emoji 😀 and 🚚' AS Emoji, 'trailing blanks   ' AS Blanks, '   ' AS OnlyBlanks
;
SELECT '' AS Empty, ' ' AS Blank, 'a''b''c' AS Abc
;
SELECT CompanyName AS "Company ""Nickname""", City AS "Straße & Ort" FROM Customers WHERE City = 'München'
;
SELECT CompanyName AS "Größe", ContactName AS "名前" FROM Suppliers WHERE CompanyName = 'O''Hara Hardware Supply'
;
SELECT c.CompanyName AS "select", c.City AS "from", c.Country AS "where" FROM Customers c WHERE c.City IN ('Köln', 'København', 'Kraków')
;
SELECT "Sales by Category".CategoryName AS "Category name", "Sales by Category".Sales AS "Sales (€)" FROM "Sales by Category"
;
SELECT cp."Date" AS "Date of complaint", cp.Reason AS "Customer's reason" FROM Complaints cp WHERE cp.Reason = 'Customer''s mistake: wrong size'
;
SELECT FirstName AS "First name", LastName AS "Last name" FROM Employees WHERE FirstName IN ('Amélie', 'Siobhán', 'Zoltán')
;
-- engines: sqlite
SELECT [CompanyName] AS [Company name], [City] AS [Town & city] FROM [Customers] WHERE [City] = 'Zürich'
;
-- engines: sqlite
SELECT CompanyName AS 'Firma', City 'Straße' FROM Customers
;
-- engines: none
SELECT x FROM t WHERE s LIKE '%!_%' ESCAPE '!' AND u NOT LIKE '50!%%' ESCAPE '!' AND v = 'a\b'
;
-- engines: none
SELECT {d '2024-01-02'}, {t '10:15:00'}, {ts '2024-01-02 10:15:00.123'}, {ts n'2024-01-02'}, { d '2024-02-29' } FROM t
;
-- engines: none
SELECT 0x0, 0xABCDEF, 0Xabcdef, 007, .5, 0.5, 5.0, 1.5e10, 1.5E-10, 2.0e+3 FROM t
;
-- engines: none
SELECT Null, NULL, null, Current_Timestamp, CURRENT_USER, session_user, System_User FROM t
