-- Arithmetic, constants, function calls, CASE, CAST and the parameterless functions.

SELECT OrderID, ProductID, Quantity * UnitPrice AS Gross FROM OrderLines
;
SELECT OrderID, ProductID, Quantity * UnitPrice * (1 - Discount) AS Net FROM OrderLines
;
SELECT OrderID, ProductID, Quantity * UnitPrice - Quantity * UnitPrice * Discount AS Net FROM OrderLines
;
SELECT ProductID, UnitPrice + 2 * 3 AS A, (UnitPrice + 2) * 3 AS B FROM Products
;
SELECT ProductID, UnitsInStock - ReorderLevel - 5 AS Margin FROM Products
;
SELECT ProductID, UnitsInStock - (ReorderLevel - 5) AS Margin FROM Products
;
SELECT ProductID, UnitsInStock / 4 AS Boxes, UnitsInStock % 4 AS LooseItems FROM Products
;
SELECT ProductID, UnitsInStock / 4 * 4 + UnitsInStock % 4 AS SameStock FROM Products
;
SELECT ProductID, ((UnitPrice)) FROM Products
;
SELECT ProductID, ((UnitPrice * 2) - (UnitPrice / 2)) * ((1)) AS Odd FROM Products
;
SELECT ProductID, -UnitPrice AS Credit, +UnitPrice AS Debit FROM Products
;
SELECT ProductID, - -UnitPrice AS Twice, - - - UnitPrice AS Thrice, -(-UnitPrice) AS Again FROM Products
;
SELECT ProductID, -UnitPrice * -2 AS Product, UnitPrice - -1 AS Minus FROM Products
;
SELECT CategoryID, ~CategoryID AS Complement FROM Categories
;
SELECT 1 + 2 * 3 - 4 / 2 AS Arithmetic, (1 + 2) * (3 - 4) / 2 AS Bracketed, 17 % 5 AS Remainder
;
SELECT 0 AS Zero, 007 AS Leading, 2147483647 AS Largest, 9000000000 AS Big
;
SELECT 1.5 AS Real1, .5 AS Half, 0.25 AS Quarter, 1.5e3 AS Exponent, 2.5E-2 AS Small, 1.0e+2 AS Plus
;
SELECT 'plain' AS S1, 'O''Hara' AS S2, '' AS Empty, '''' AS Quote, 'two '' quotes ''' AS S3
;
SELECT 'Zürich' AS City, 'Malmö' AS Other, 'naïve café' AS Words
;
-- engines: sqlite
SELECT 0x1F AS Hex, 0xff AS Lower, 0X10 AS Upper
;
-- engines: none
SELECT {d '2024-01-02'} AS D, {t '10:15:00'} AS T, {ts '2024-01-02 10:15:00'} AS TS
;
-- engines: none
SELECT OrderID FROM Orders WHERE OrderDate >= {d '2024-01-01'} AND OrderDate < { d '2024-02-01' }
;
-- engines: none
SELECT {ts n'2024-03-04 05:06:07'} AS Stamp, { t '23:59:59'} AS Late
;
SELECT NULL AS A, null AS B, Null AS C
;
SELECT ProductID, UnitPrice + NULL AS Unknown FROM Products
;
SELECT UPPER(CompanyName), LOWER(CompanyName) FROM Customers
;
SELECT Upper(c.City) AS City, Lower(c.Country) AS Country FROM Customers c
;
SELECT CompanyName, LENGTH(CompanyName) AS Letters FROM Suppliers
;
SELECT ProductName, SUBSTR(ProductName, 1, 5) AS Short FROM Products
;
SELECT CustomerID, COALESCE(Region, Country) AS Area FROM Customers
;
SELECT CustomerID, Coalesce(Region, ContactTitle, 'n/a') AS Anything FROM Customers
;
SELECT ProductID, NULLIF(UnitsInStock, 0) AS Stock FROM Products
;
SELECT ProductID, ABS(UnitsInStock - ReorderLevel) AS Distance FROM Products
;
SELECT ProductID, ROUND(UnitPrice * 1.19, 2) AS Gross, ROUND(UnitPrice) AS Rounded FROM Products
;
SELECT ProductID, Round(UnitPrice / 3, 1) AS Third FROM Products
;
SELECT REPLACE(ProductName, ' ', '_') AS Slug FROM Products
;
SELECT TRIM('  padded  ') AS Trimmed, LENGTH(TRIM(' x ')) AS One
;
SELECT UPPER(SUBSTR(LastName, 1, 1)) AS Initial, LastName FROM Employees
;
SELECT CustomerID, LOWER(REPLACE(TRIM(CompanyName), ' ', '-')) AS Handle FROM Customers
;
SELECT ProductID, ABS(-UnitPrice) + ROUND(UnitPrice * 0.1, 2) AS Mixed FROM Products
;
SELECT OrderID, SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 7) AS OrderMonth FROM Orders
;
SELECT MOD(UnitsInStock, 12) AS Loose, SIGN(UnitsInStock - ReorderLevel) AS Direction FROM Products
;
SELECT CEIL(UnitPrice) AS Up, FLOOR(UnitPrice) AS Down, POWER(2, 10) AS Kilo FROM Products
;
-- engines: sqlite
SELECT INSTR(ProductName, 'Saw') AS Position, PRINTF('%05d', ProductID) AS Code FROM Products
;
-- engines: pg
SELECT STRPOS(ProductName, 'Saw') AS Position, LPAD(CAST(ProductID AS VARCHAR(5)), 5, '0') AS Code FROM Products
;
-- engines: pg
SELECT pg_catalog.upper(CompanyName) FROM Customers
;
-- engines: pg
SELECT public.customers.companyname FROM public.customers
;
-- engines: none
SELECT Now_Or_Never() AS Never, f() AS F, schema1.pkg.fn(1, 'a', NULL) AS G FROM Customers
;
SELECT CASE Discontinued WHEN 0 THEN 'active' WHEN 1 THEN 'discontinued' END AS Status FROM Products
;
SELECT CASE CategoryID WHEN 1 THEN 'tools' WHEN 2 THEN 'tools' ELSE 'other' END AS Area FROM Products
;
SELECT ProductName, CASE WHEN UnitsInStock = 0 THEN 'sold out' WHEN UnitsInStock < ReorderLevel THEN 'reorder' ELSE 'ok' END AS StockState FROM Products
;
SELECT OrderID, CASE WHEN ShippedDate IS NULL THEN 'open' ELSE 'shipped' END AS State FROM Orders
;
SELECT CustomerID, CASE WHEN CreditLimit >= 25000 AND Country IN ('USA', 'Canada') THEN 'key account' WHEN CreditLimit >= 10000 OR Phone IS NULL THEN 'watch' END AS Segment FROM Customers
;
SELECT ProductID, UnitPrice * CASE WHEN CategoryID = 6 THEN 0.9 ELSE 1.0 END AS Price FROM Products
;
SELECT ProductID, CASE WHEN UnitPrice < 10 THEN 'cheap' ELSE CASE WHEN UnitPrice < 100 THEN 'mid' ELSE 'dear' END END AS Band FROM Products
;
SELECT OrderID, CASE SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 4) WHEN '2022' THEN 1 WHEN '2023' THEN 2 ELSE 3 END AS YearNo FROM Orders
;
SELECT CASE WHEN NOT (Quantity > 10 OR Discount > 0) THEN Quantity * UnitPrice END AS SmallFullPrice FROM OrderLines
;
SELECT CAST(UnitPrice AS INTEGER) AS WholePrice FROM Products
;
SELECT CAST(ProductID AS VARCHAR(10)) AS Code, CAST(UnitPrice AS NUMERIC(12, 3)) AS Precise FROM Products
;
SELECT CAST(Quantity AS DECIMAL(8)) AS Q, CAST(Discount AS REAL) AS D, CAST(UnitPrice AS DOUBLE PRECISION) AS P FROM OrderLines
;
SELECT CAST(ProductID AS CHAR(6)) AS Fixed, CAST(ProductName AS CHARACTER(12)) AS Cut FROM Products
;
SELECT CAST(CompanyName AS CHARACTER VARYING(20)) AS A, CAST(City AS CHARACTER VARYING) AS B FROM Customers
;
SELECT CAST(CustomerID AS SMALLINT) AS S, CAST(CustomerID AS BIGINT) AS B, CAST(CustomerID AS INT) AS I FROM Customers
;
SELECT CAST('2024-02-29' AS DATE) AS LeapDay, CAST('12' AS INTEGER) + 1 AS Thirteen
;
SELECT CAST(CAST(Freight AS INTEGER) AS VARCHAR(12)) AS Nested FROM Orders
;
SELECT CAST(CategoryName AS TEXT) AS Name FROM Categories
;
SELECT CAST(Resolved AS BOOLEAN) AS Done FROM Complaints
;
SELECT CAST(UnitPrice AS FLOAT8) AS F8, CAST(UnitsInStock AS INT4) AS I4, CAST(ReorderLevel AS INT2) AS I2, CAST(ProductID AS INT8) AS I8 FROM Products
;
SELECT CAST(UnitPrice AS FLOAT4) AS F4, CAST(Discontinued AS BOOL) AS Flag, CAST(ProductID AS NUMERIC) AS N FROM Products
;
SELECT CAST(OrderDate AS TIMESTAMP) AS Stamp, CAST('10:30:00' AS TIME) AS Clock FROM Orders
;
-- engines: pg
SELECT CAST(OrderDate AS TIMESTAMP WITHOUT TIME ZONE) AS A, CAST(OrderDate AS TIMESTAMP(0) WITH TIME ZONE) AS B FROM Orders
;
-- engines: pg
SELECT CAST('10:15:30.25' AS TIME(2)) AS A, CAST('10:15' AS TIME WITH TIME ZONE) AS B, CAST('10:15' AS TIME(0) WITHOUT TIME ZONE) AS C
;
-- engines: pg
SELECT CAST(OrderDate AS TIMESTAMP(3)) AS A, CAST(OrderDate AS TIMESTAMPTZ) AS B, CAST('08:00' AS TIMETZ) AS C FROM Orders
;
-- engines: pg
SELECT CAST('1 day' AS INTERVAL) AS A, CAST('90 minutes' AS INTERVAL(0)) AS B
;
-- engines: pg
SELECT CAST('1010' AS BIT(4)) AS A, CAST('101' AS BIT VARYING(8)) AS B, CAST('11' AS VARBIT(3)) AS C, CAST('1' AS BIT) AS D
;
-- engines: pg
SELECT CAST(Freight AS MONEY) AS Cost, CAST('192.168.0.1' AS INET) AS Host, CAST('10.0.0.0/8' AS CIDR) AS Net FROM Orders
;
-- engines: pg
SELECT CAST('(1,2)' AS POINT) AS P, CAST('((0,0),(1,1))' AS BOX) AS B, CAST('[(0,0),(2,2)]' AS LSEG) AS L, CAST('<(0,0),3>' AS CIRCLE) AS C
;
-- engines: pg
SELECT CAST('((0,0),(1,0),(1,1))' AS POLYGON) AS Poly, CAST('[(0,0),(1,1),(2,0)]' AS PATH) AS Route, CAST('{1,-1,0}' AS LINE) AS Axis
;
-- engines: pg
SELECT CAST('08:00:2b:01:02:03' AS MACADDR) AS Mac, CAST('abc' AS BYTEA) AS Raw
;
-- engines: none
SELECT CAST(ProductID AS SERIAL) AS A, CAST(ProductID AS BIGSERIAL) AS B, CAST(ProductID AS SERIAL4) AS C, CAST(ProductID AS SERIAL8) AS D FROM Products
;
-- engines: none
SELECT CAST(UnitPrice AS Money2) AS A, CAST(UnitPrice AS finance."Amount") AS B FROM Products
;
SELECT CURRENT_TIMESTAMP AS Now
;
SELECT OrderID, CURRENT_TIMESTAMP AS Checked FROM Orders WHERE ShippedDate IS NULL
;
-- engines: pg
SELECT CURRENT_USER AS Who, SESSION_USER AS Login
;
-- engines: none
SELECT SYSTEM_USER AS OsUser, current_timestamp AS Lower
;
SELECT ProductID, (SELECT CategoryName FROM Categories cat WHERE cat.CategoryID = p.CategoryID) AS Category FROM Products p
;
SELECT ProductID, UnitPrice - (SELECT AVG(UnitPrice) FROM Products) AS AboveAverage FROM Products
;
SELECT ProductName, UnitPrice * 100 / (SELECT MAX(UnitPrice) FROM Products) AS PercentOfTop FROM Products
