-- WHERE conditions: every comparison operator and predicate, AND / OR / NOT with brackets.

SELECT ProductID FROM Products WHERE UnitPrice = 19.99
;
SELECT ProductID FROM Products WHERE UnitPrice <> 19.99
;
SELECT ProductID FROM Products WHERE UnitPrice != 19.99
;
SELECT ProductID FROM Products WHERE UnitPrice < 10
;
SELECT ProductID FROM Products WHERE UnitPrice <= 10
;
SELECT ProductID FROM Products WHERE UnitPrice > 100
;
SELECT ProductID FROM Products WHERE UnitPrice >= 100
;
-- engines: none
SELECT ProductID FROM Products WHERE UnitPrice !< 100
;
-- engines: none
SELECT ProductID FROM Products WHERE UnitPrice !> 10
;
-- engines: none
SELECT ProductID FROM Products WHERE UnitPrice!<100 AND UnitsInStock!>5
;
SELECT ProductID FROM Products WHERE 100 < UnitPrice
;
SELECT OrderID FROM Orders WHERE ShippedDate > RequiredDate
;
SELECT OrderID FROM Orders WHERE Freight * 10 > (SELECT SUM(Quantity) FROM OrderLines ol WHERE ol.OrderID = Orders.OrderID)
;
SELECT CustomerID FROM Customers WHERE CompanyName = 'O''Neill Hardware'
;
SELECT CustomerID, Region FROM Customers WHERE Region IS NULL
;
SELECT CustomerID, Region FROM Customers WHERE Region IS NOT NULL
;
SELECT OrderID FROM Orders WHERE ShippedDate IS NULL AND RequiredDate < '2025-01-01'
;
SELECT EmployeeID, FirstName FROM Employees WHERE ManagerID IS NULL
;
SELECT CompanyName FROM Customers WHERE CompanyName LIKE 'Oak%'
;
SELECT CompanyName FROM Customers WHERE CompanyName NOT LIKE '%Hardware'
;
SELECT ProductName FROM Products WHERE ProductName LIKE '% Saw %'
;
SELECT ProductName FROM Products WHERE ProductName LIKE 'C_ain%' OR ProductName LIKE '_ordless%'
;
SELECT ProductName FROM Products WHERE QuantityPerUnit LIKE '%!%%' ESCAPE '!'
;
SELECT ProductName FROM Products WHERE ProductName LIKE '%\_%' ESCAPE '\'
;
SELECT ProductName FROM Products WHERE ProductName NOT LIKE '%#_%' ESCAPE '#'
;
SELECT ProductName FROM Products WHERE ProductName LIKE '%''%'
;
SELECT ContactName FROM Suppliers WHERE ContactName LIKE 'S%' AND ContactName LIKE '%''%'
;
SELECT ProductName FROM Products WHERE ProductName LIKE SUBSTR(ProductName, 1, 4) ESCAPE '!'
;
SELECT ProductName FROM Products WHERE UnitPrice BETWEEN 10 AND 20
;
SELECT ProductName FROM Products WHERE UnitPrice NOT BETWEEN 10 AND 200
;
SELECT OrderID FROM Orders WHERE OrderDate BETWEEN '2023-01-01' AND '2023-03-31'
;
SELECT OrderID FROM Orders WHERE OrderDate NOT BETWEEN '2022-02-01' AND '2024-11-30'
;
SELECT ProductName FROM Products WHERE UnitPrice BETWEEN 5 * 2 AND (SELECT AVG(UnitPrice) FROM Products)
;
SELECT ProductName FROM Products WHERE UnitsInStock BETWEEN ReorderLevel AND ReorderLevel + 10 AND Discontinued = 0
;
SELECT CustomerID FROM Customers WHERE Country IN ('UK', 'Ireland')
;
SELECT CustomerID FROM Customers WHERE Country NOT IN ('UK', 'Ireland', 'USA', 'Canada')
;
SELECT ProductID FROM Products WHERE CategoryID IN (1, 2, 3)
;
SELECT ProductID FROM Products WHERE CategoryID IN (7)
;
SELECT OrderID FROM Orders WHERE EmployeeID IN (2 + 2, 10 / 2, ABS(-6))
;
SELECT OrderID FROM Orders WHERE CustomerID IN (SELECT CustomerID FROM Customers WHERE Country = 'Austria')
;
SELECT CustomerID FROM Customers WHERE CustomerID NOT IN (SELECT CustomerID FROM Orders)
;
SELECT c.CustomerID FROM Customers c WHERE EXISTS (SELECT * FROM Orders o WHERE o.CustomerID = c.CustomerID AND o.Freight > 170)
;
SELECT c.CustomerID FROM Customers c WHERE NOT EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID)
;
-- engines: pg
SELECT ProductID FROM Products WHERE UnitPrice > ALL (SELECT UnitPrice FROM Products WHERE CategoryID = 8)
;
-- engines: pg
SELECT ProductID FROM Products WHERE UnitPrice < SOME (SELECT UnitPrice FROM Products WHERE CategoryID = 6)
;
-- engines: pg
SELECT ProductID FROM Products WHERE CategoryID = ANY (SELECT CategoryID FROM Categories WHERE CategoryName LIKE 'P%')
;
-- engines: pg
SELECT OrderID FROM Orders WHERE Freight >= ALL (SELECT Freight FROM Orders WHERE ShipperID = 3)
;
-- engines: pg
SELECT e.EmployeeID FROM Employees e WHERE e.Salary <> ALL (SELECT m.Salary FROM Employees m WHERE m.ManagerID IS NULL)
;
-- engines: pg
SELECT CustomerID FROM Customers WHERE CreditLimit <= ANY (SELECT Total FROM OrderTotals)
;
-- engines: none
SELECT ProductID FROM Products WHERE UnitPrice !> ALL (SELECT UnitPrice FROM Products WHERE CategoryID = 6)
;
SELECT ProductID FROM Products WHERE CategoryID = 2 AND UnitPrice > 100
;
SELECT ProductID FROM Products WHERE CategoryID = 2 OR CategoryID = 3
;
SELECT ProductID FROM Products WHERE CategoryID = 2 OR CategoryID = 3 AND UnitPrice < 20
;
SELECT ProductID FROM Products WHERE (CategoryID = 2 OR CategoryID = 3) AND UnitPrice < 20
;
SELECT ProductID FROM Products WHERE NOT CategoryID = 2
;
SELECT ProductID FROM Products WHERE NOT (CategoryID = 2 OR UnitPrice < 20)
;
SELECT ProductID FROM Products WHERE NOT NOT Discontinued = 1
;
SELECT ProductID FROM Products WHERE NOT CategoryID = 1 AND UnitsInStock IS NOT NULL
;
SELECT OrderID FROM Orders WHERE (EmployeeID = 4 OR EmployeeID = 5) AND (ShipperID = 1 OR ShipperID = 3) AND Freight < 50
;
SELECT OrderID FROM Orders WHERE ((ShipperID = 2)) AND (((Freight > 100)))
;
SELECT OrderID FROM Orders WHERE (ShipperID = 2 AND (Freight > 100 OR (EmployeeID = 6 AND NOT CustomerID = 1)))
;
SELECT CustomerID FROM Customers WHERE Country = 'Germany' AND (City = 'Hamburg' OR City = 'Köln') OR Country = 'Austria' AND NOT City = 'Wien'
;
SELECT CustomerID FROM Customers WHERE City IN ('München', 'Zürich', 'København', 'Göteborg', 'Kraków')
;
SELECT FirstName FROM Employees WHERE FirstName = 'Amélie'
;
SELECT ProductID FROM Products WHERE (UnitPrice) > (10)
;
SELECT ProductID FROM Products WHERE (UnitPrice * 2) > 100 AND (UnitsInStock - ReorderLevel) < 0
;
SELECT OrderID FROM OrderLines WHERE Quantity * (1 - Discount) >= 20 AND NOT Discount = 0
;
SELECT ol.OrderID, ol.ProductID FROM OrderLines ol WHERE ol.Discount > 0.1 AND ol.Quantity BETWEEN 10 AND 40 AND ol.ProductID IN (1, 11, 21, 31)
;
SELECT CustomerID FROM Customers WHERE Phone LIKE '+44%' AND (ContactTitle IS NULL OR ContactTitle IN ('Owner', 'Buyer'))
;
SELECT CustomerID FROM Customers WHERE CreditLimit > 10000 AND NOT Country IN ('USA') AND Region IS NULL
;
SELECT EmployeeID FROM Employees WHERE HireDate >= '2015-01-01' AND HireDate < '2020-01-01' OR Title = 'Sales Manager'
;
SELECT OrderID FROM Orders WHERE ShippedDate IS NOT NULL AND NOT ShippedDate <= OrderDate
;
SELECT ComplaintID FROM Complaints WHERE Reason LIKE 'Customer''s%' OR Reason = 'Late delivery'
;
SELECT ComplaintID FROM Complaints WHERE Resolved = 0 AND "Date" >= '2024-06-01'
;
select ProductID from Products where not (CategoryID in (1, 2) or CategoryID between 5 and 7) and UnitPrice is not null
;
SELECT ProductID FROM Products WHERE CategoryID NOT IN (SELECT CategoryID FROM Categories WHERE CategoryName IN ('Garden', 'Lighting'))
;
SELECT ProductID FROM Products p WHERE p.UnitPrice > (SELECT AVG(p2.UnitPrice) FROM Products p2 WHERE p2.CategoryID = p.CategoryID)
;
SELECT ProductID FROM Products WHERE UnitPrice = (SELECT MAX(UnitPrice) FROM Products)
;
SELECT ProductID FROM Products WHERE -UnitPrice < -100 AND +UnitsInStock > 0
;
SELECT OrderID FROM Orders WHERE CustomerID = ShipToCustomerID AND NOT EXISTS (SELECT * FROM Complaints cp WHERE cp.OrderID = Orders.OrderID)
;
SELECT OrderID FROM Orders WHERE CASE WHEN ShippedDate IS NULL THEN 1 ELSE 0 END = 1
;
SELECT CustomerID FROM Customers WHERE COALESCE(Region, '') = '' AND UPPER(Country) = 'UK'
;
SELECT CustomerID FROM Customers WHERE LENGTH(CompanyName) > 25 OR SUBSTR(CompanyName, 1, 3) = 'Old'
;
SELECT ProductID FROM Products WHERE Discontinued = 0 AND (CategoryID = 2 OR NOT NOT (UnitPrice > 40 AND NOT NOT UnitsInStock > 0))
