-- UNION, EXCEPT and INTERSECT: chains of operands, ALL, bracketed groups and the ORDER BY of
-- the whole statement.

SELECT City FROM Customers UNION SELECT City FROM Suppliers
;
SELECT City FROM Customers UNION ALL SELECT City FROM Suppliers
;
SELECT Country FROM Customers EXCEPT SELECT Country FROM Suppliers
;
SELECT Country FROM Customers INTERSECT SELECT Country FROM Suppliers
;
SELECT City FROM Customers UNION SELECT City FROM Suppliers UNION SELECT City FROM Employees
;
SELECT City FROM Customers UNION ALL SELECT City FROM Suppliers UNION ALL SELECT City FROM Employees UNION ALL SELECT 'Head office'
;
SELECT Country FROM Customers UNION SELECT Country FROM Suppliers EXCEPT SELECT 'USA'
;
SELECT Country FROM Customers INTERSECT SELECT Country FROM Suppliers UNION SELECT 'Japan'
;
SELECT CompanyName, 'customer' AS Kind FROM Customers UNION SELECT CompanyName, 'supplier' FROM Suppliers UNION SELECT CompanyName, 'shipper' FROM Shippers ORDER BY 2, 1
;
SELECT CompanyName AS Name, City FROM Customers UNION SELECT CompanyName, City FROM Suppliers ORDER BY Name, City
;
SELECT CompanyName AS Name, City FROM Customers UNION SELECT CompanyName, City FROM Suppliers ORDER BY City DESC, Name ASC
;
SELECT FirstName, LastName FROM Employees UNION SELECT 'Sean', 'O''Hara' ORDER BY 2, 1
;
SELECT CustomerID FROM Orders WHERE ShipperID = 1 INTERSECT SELECT CustomerID FROM Orders WHERE ShipperID = 2 INTERSECT SELECT CustomerID FROM Orders WHERE ShipperID = 3 ORDER BY 1
;
SELECT CustomerID FROM Customers EXCEPT SELECT CustomerID FROM Orders EXCEPT SELECT ShipToCustomerID FROM Orders
;
SELECT ProductID FROM Products EXCEPT SELECT ProductID FROM OrderLines WHERE OrderID > 10400
;
SELECT OrderID, ProductID FROM OrderLines EXCEPT SELECT OrderID, ProductID FROM Complaints
;
SELECT OrderID, ProductID FROM OrderLines WHERE Quantity >= 20 INTERSECT SELECT OrderID, ProductID FROM Complaints
;
SELECT CategoryID, COUNT(*) AS Items FROM Products GROUP BY CategoryID HAVING COUNT(*) > 9 UNION SELECT CategoryID, 0 FROM Categories WHERE CategoryID > 7
;
SELECT 'open' AS State, COUNT(*) AS Orders FROM Orders WHERE ShippedDate IS NULL UNION ALL SELECT 'shipped', COUNT(*) FROM Orders WHERE ShippedDate IS NOT NULL
;
SELECT c.CompanyName FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID WHERE o.Freight > 175 UNION SELECT s.CompanyName FROM Suppliers s WHERE s.Country = 'Japan'
;
SELECT DISTINCT City FROM Customers UNION ALL SELECT DISTINCT City FROM Suppliers
;
SELECT 1 AS n UNION SELECT 2 UNION SELECT 3 UNION SELECT 4 UNION SELECT 5 ORDER BY n DESC
;
SELECT 1 UNION ALL SELECT 1 UNION ALL SELECT 1
;
SELECT City FROM Customers Union SELECT City FROM Suppliers union all SELECT City FROM Employees
;
SELECT City FROM Customers uNiOn AlL SELECT City FROM Suppliers eXcEpT SELECT City FROM Employees
;
SELECT City FROM Customers
UNION
SELECT City FROM Suppliers
ORDER BY City
;
SELECT City FROM Customers -- buyers
UNION -- and
SELECT City FROM Suppliers -- sellers
;
SELECT ProductName AS Name FROM Products WHERE UnitPrice > 150
UNION ALL
SELECT CompanyName FROM Suppliers WHERE Country = 'Sweden'
UNION ALL
SELECT CategoryName FROM Categories WHERE CategoryID = 1
ORDER BY Name
;
-- engines: pg
SELECT Country FROM Customers EXCEPT ALL SELECT Country FROM Suppliers
;
-- engines: pg
SELECT City FROM Customers INTERSECT ALL SELECT City FROM Customers WHERE Region IS NULL
;
-- engines: pg
SELECT City FROM Customers UNION (SELECT City FROM Suppliers EXCEPT SELECT City FROM Employees)
;
-- engines: pg
(SELECT City FROM Customers EXCEPT SELECT City FROM Employees) UNION SELECT City FROM Suppliers
;
-- engines: pg
(SELECT City FROM Customers)
;
-- engines: pg
(SELECT City FROM Customers) UNION (SELECT City FROM Suppliers) ORDER BY City
;
-- engines: pg
SELECT Country FROM Customers EXCEPT (SELECT Country FROM Suppliers INTERSECT SELECT Country FROM Customers WHERE Region IS NOT NULL) ORDER BY 1
;
-- engines: pg
SELECT City FROM Customers UNION (SELECT City FROM Suppliers UNION (SELECT City FROM Employees EXCEPT SELECT 'London'))
;
-- engines: pg
((SELECT CustomerID FROM Orders WHERE ShipperID = 1) INTERSECT (SELECT CustomerID FROM Orders WHERE ShipperID = 2)) EXCEPT (SELECT CustomerID FROM Orders WHERE ShipperID = 3)
;
-- engines: pg
SELECT 1 AS n UNION ALL (SELECT 2 UNION ALL SELECT 3) UNION ALL (SELECT 4) ORDER BY n
;
-- engines: pg
SELECT c.CompanyName FROM Customers c WHERE c.Country = 'UK' UNION ALL (SELECT s.CompanyName FROM Suppliers s WHERE s.Country = 'UK' UNION SELECT sh.CompanyName FROM Shippers sh WHERE sh.Phone LIKE '+44%')
;
-- engines: pg
SELECT ProductID FROM Products WHERE ProductID IN ((SELECT ProductID FROM OrderLines WHERE Quantity = 40) EXCEPT (SELECT ProductID FROM Complaints))
;
-- engines: pg
SELECT d.City FROM (SELECT City FROM Customers UNION (SELECT City FROM Suppliers INTERSECT SELECT City FROM Customers)) d
;
SELECT Country, COUNT(*) AS Partners FROM (SELECT Country FROM Customers UNION ALL SELECT Country FROM Suppliers) AS everyone GROUP BY Country
;
SELECT e.EmployeeID, e.LastName FROM Employees e WHERE e.ManagerID = 2 UNION SELECT e.EmployeeID, e.LastName FROM Employees e WHERE e.ManagerID = 3 ORDER BY 1
;
SELECT OrderID, Freight FROM Orders WHERE Freight > 175 UNION SELECT OrderID, Freight FROM Orders WHERE Freight < 5 ORDER BY Freight DESC, OrderID
;
SELECT SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 4) AS Period FROM Orders UNION SELECT SUBSTR(CAST(HireDate AS VARCHAR(10)), 1, 4) FROM Employees ORDER BY Period
;
SELECT s.Country AS City, s.City AS Country FROM Suppliers s UNION SELECT c.City, c.Country FROM Customers c ORDER BY Country, 1 DESC, country
