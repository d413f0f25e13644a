-- Select lists, select modes, aliases, simple sources and sorting over the sample database.

SELECT * FROM Customers
;
SELECT CustomerID, CompanyName, City FROM Customers
;
SELECT ALL Country FROM Customers
;
SELECT DISTINCT Country FROM Customers
;
SELECT DISTINCT Country, City FROM Customers ORDER BY Country, City
;
SELECT Customers.* FROM Customers
;
SELECT c.* FROM Customers c
;
SELECT c.*, o.OrderID FROM Customers c, Orders o WHERE o.CustomerID = c.CustomerID
;
SELECT p.*, cat.CategoryName FROM Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID
;
SELECT *, ProductName FROM Products
;
SELECT ProductName AS Name, UnitPrice AS Price FROM Products
;
SELECT ProductName Name, UnitPrice Price FROM Products
;
SELECT ProductName AS "Product", UnitPrice AS "Unit price" FROM Products
;
SELECT e.FirstName, e.LastName, e.Title FROM Employees AS e
;
SELECT e.FirstName, e.LastName FROM Employees e ORDER BY e.LastName, e.FirstName
;
SELECT CompanyName FROM Suppliers ORDER BY CompanyName DESC
;
SELECT CompanyName, Country FROM Suppliers ORDER BY Country ASC, CompanyName DESC
;
SELECT ProductName, UnitPrice FROM Products ORDER BY 2 DESC, 1
;
SELECT ProductName, UnitsInStock * UnitPrice AS StockValue FROM Products ORDER BY UnitsInStock * UnitPrice DESC, ProductID
;
SELECT ProductName, UnitsInStock * UnitPrice AS StockValue FROM Products ORDER BY StockValue DESC, ProductName
;
SELECT p.UnitPrice AS ProductName, p.ProductName AS UnitPrice FROM Products p ORDER BY ProductName DESC, UnitPrice
;
SELECT o.OrderID, c.CompanyName AS ShipperID FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID WHERE o.Freight > 150 ORDER BY ShipperID, 1 DESC, SHIPPERID DESC, o.orderid
;
SELECT OrderID, OrderDate FROM Orders ORDER BY OrderDate DESC, OrderID DESC
;
SELECT OrderID FROM Orders WHERE CustomerID = 12 ORDER BY OrderID
;
SELECT 1
;
SELECT 1 AS One, 'two' AS Two, 3.5 AS Three
;
SELECT 'Northgate' AS Company
;
SELECT NULL
;
SELECT NULL AS NoValue, CustomerID FROM Customers
;
SELECT CategoryID, CategoryName, Description FROM Categories
;
SELECT ShipperID, CompanyName, Phone FROM Shippers
;
SELECT Orders.OrderID, Orders.OrderDate, Orders.Freight FROM Orders
;
SELECT o.OrderID, o.Freight FROM Orders o WHERE o.Freight > 150 ORDER BY o.Freight DESC, o.OrderID
;
select CustomerID, CompanyName from Customers where Country = 'Germany' order by CompanyName
;
Select Distinct City From Employees Order By City
;
sElEcT ProductName FrOm Products WhErE CategoryID = 3 oRdEr bY ProductName
;
SELECT
  ProductID,
  ProductName,
  UnitPrice
FROM
  Products
WHERE
  Discontinued = 1
ORDER BY
  ProductID
;
SELECT	ProductID,	ProductName
FROM	Products
WHERE	UnitsInStock	=	0
;
  SELECT   CustomerID ,CompanyName
     ,City   FROM   Customers   WHERE   Region IS NULL   ORDER BY   CustomerID
;
SELECT CustomerID -- the key
     , CompanyName -- and the name
FROM Customers -- every customer
WHERE Country = 'USA' -- only American ones
;
SELECT OrderID,
-- the customer who pays
  CustomerID,
-- the customer who receives
  ShipToCustomerID
FROM Orders
WHERE CustomerID <> ShipToCustomerID
;
SELECT ProductName
FROM Products

WHERE UnitPrice > 100

ORDER BY ProductName
;
SELECT ProductName FROM Products WHERE UnitPrice>100 AND CategoryID=2 ORDER BY ProductName
;
SELECT(ProductName)FROM Products WHERE(UnitPrice>100)
;
SELECT OrderID,CustomerID,EmployeeID FROM Orders WHERE EmployeeID=4
;
SELECT DISTINCT ShipperID FROM Orders
;
SELECT DISTINCT e.City, e.Title FROM Employees e ORDER BY e.City, e.Title
;
SELECT ALL e.City FROM Employees e ORDER BY e.City
;
SELECT Title, FirstName, LastName, HireDate FROM Employees ORDER BY HireDate, EmployeeID
;
SELECT FirstName, LastName, BirthDate FROM Employees WHERE BirthDate < '1980-01-01' ORDER BY BirthDate, EmployeeID
;
SELECT CompanyName, ContactName, Phone FROM Customers WHERE Phone IS NOT NULL ORDER BY CompanyName, CustomerID
;
SELECT ComplaintID, OrderID, ProductID, Reason FROM Complaints WHERE Resolved = 0
;
SELECT OrderID, LineCount, Total FROM OrderTotals ORDER BY Total DESC, OrderID
;
SELECT ProductName, CategoryName, SupplierName FROM ProductCatalog ORDER BY CategoryName, ProductName
;
SELECT SupplierName, QuantityPerUnit FROM ProductCatalog WHERE UnitPrice < 10
;
-- engines: none
SELECT Name = ProductName, Price = UnitPrice FROM Products
;
-- engines: none
SELECT p.ProductID, "List price" = p.UnitPrice * 1.0 FROM Products p
;
-- engines: none
SELECT Customer = c.CompanyName, c.City Town, c.Country AS Land FROM Customers c
;
-- engines: pg
SELECT FROM Customers
;
-- engines: pg
SELECT
;
-- engines: none
SELECT FROM
;
-- engines: none
SELECT CustomerID FROM
;
SELECT Customers.CustomerID, Customers.CompanyName FROM Customers WHERE Customers.City = 'London'
;
SELECT ProductID AS "ID", ProductName AS "Name" FROM Products WHERE ProductID <= 10
;
SELECT ReorderLevel, UnitsInStock, ProductName FROM Products WHERE UnitsInStock < ReorderLevel ORDER BY ProductName, ProductID
