-- Delimited names and aliases: the sample's quoted view and column, names in double quotes and
-- in brackets, string aliases, and keywords used as names.

SELECT * FROM "Sales by Category"
;
SELECT CategoryName, OrderYear, Sales FROM "Sales by Category" ORDER BY CategoryName, OrderYear
;
SELECT "Sales by Category".CategoryName, "Sales by Category".Sales FROM "Sales by Category" WHERE "Sales by Category".OrderYear = '2024'
;
SELECT sbc.* FROM "Sales by Category" sbc WHERE sbc.Sales > 50000
;
SELECT "Sales by Category".* FROM "Sales by Category"
;
SELECT s."categoryname", s."sales" FROM "Sales by Category" AS s
;
SELECT ComplaintID, "Date", Reason FROM Complaints
;
SELECT cp."Date", cp.Reason FROM Complaints cp WHERE cp."Date" BETWEEN '2023-01-01' AND '2023-12-31' ORDER BY cp."Date", cp.ComplaintID
;
SELECT Complaints."Date" AS "Date", Complaints.ComplaintID FROM Complaints ORDER BY "Date" DESC, ComplaintID
;
SELECT MIN("Date") AS FirstComplaint, MAX("Date") AS LastComplaint FROM Complaints
;
SELECT o.OrderID, cp."Date" FROM Orders o INNER JOIN Complaints cp ON cp.OrderID = o.OrderID AND cp."Date" > o.ShippedDate
;
SELECT "customers"."companyname", "customers"."city" FROM "customers"
;
SELECT "c"."companyname" FROM "customers" "c" WHERE "c"."country" = 'UK'
;
SELECT "o".orderid, o."freight" FROM orders "o"
;
SELECT CompanyName AS "Company name", City AS "Town / city" FROM Customers
;
SELECT CompanyName AS "The ""best"" customers" FROM Customers WHERE CreditLimit = 50000
;
SELECT CompanyName "Name with spaces", ContactName "Contact" FROM Suppliers
;
SELECT COUNT(*) AS "count", SUM(Freight) AS "sum", MAX(OrderDate) AS "date" FROM Orders
;
SELECT ProductName AS "text", QuantityPerUnit AS "line", UnitPrice AS "money", UnitsInStock AS "order" FROM Products
;
SELECT ProductName AS "Größe", UnitPrice AS "Preis (€)" FROM Products
;
SELECT o.OrderID AS "select", o.Freight AS "from", o.ShipperID AS "where" FROM Orders o
;
SELECT d."order count" FROM (SELECT COUNT(*) AS "order count" FROM Orders) d
;
SELECT d."Order Year", d."Total Sales" FROM (SELECT OrderYear AS "Order Year", SUM(Sales) AS "Total Sales" FROM "Sales by Category" GROUP BY OrderYear) AS d ORDER BY d."Order Year"
;
SELECT ProductName AS Name, CategoryID AS Type, QuantityPerUnit AS Data, LENGTH(ProductName) AS Length FROM Products
;
SELECT p.ProductName Name, p.UnitPrice Number, p.ProductID Scale FROM Products p
;
SELECT c.CompanyName FROM Customers c WHERE c.Country = 'Ireland'
;
SELECT name.CompanyName, type.CategoryName FROM Products data INNER JOIN Suppliers name ON name.SupplierID = data.SupplierID INNER JOIN Categories type ON type.CategoryID = data.CategoryID
;
SELECT Name, Length FROM (SELECT ProductName AS Name, LENGTH(ProductName) AS Length FROM Products) more WHERE Length > 20
;
-- engines: sqlite
SELECT [CompanyName], [City] FROM [Customers]
;
-- engines: sqlite
SELECT [Sales by Category].[CategoryName], [Sales by Category].[Sales] FROM [Sales by Category]
;
-- engines: sqlite
SELECT cp.[Date], [cp].[Reason] FROM [Complaints] [cp] WHERE [cp].[Resolved] = 0
;
-- engines: sqlite
SELECT CompanyName AS [Company name], City [Town] FROM Customers AS [c]
;
-- engines: sqlite
SELECT [main].[Customers].[CompanyName] FROM [main].[Customers]
;
-- engines: sqlite
SELECT "Sales by Category".Sales, [Sales by Category].OrderYear FROM "Sales by Category"
;
-- engines: sqlite
SELECT CompanyName AS 'Company', City 'Town' FROM Customers
;
-- engines: sqlite
SELECT COUNT(*) AS 'How many?', SUM(Freight) 'Freight, total' FROM Orders
;
-- engines: sqlite
SELECT x.CompanyName FROM Suppliers AS 'x' WHERE x.Country = 'USA'
;
-- engines: sqlite
SELECT CompanyName AS 'it''s', City AS 'Zürich?' FROM Customers
;
-- engines: none
SELECT ProductName = 'x', 'Label' = ProductName FROM Products
;
-- engines: none
SELECT [db]..[Sales by Category].[Sales] FROM [db]..[Sales by Category]
;
-- engines: none
SELECT [a][b].c FROM [a][b]
;
-- engines: none
SELECT "Customers"."CompanyName" FROM "Customers"
