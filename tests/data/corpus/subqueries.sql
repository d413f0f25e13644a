-- Sub-queries: scalar, IN, EXISTS, quantified comparisons, correlated and nested ones, and
-- derived tables.

SELECT c.CompanyName, (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) AS OrderCount FROM Customers c
;
SELECT p.ProductName, (SELECT SUM(ol.Quantity) FROM OrderLines ol WHERE ol.ProductID = p.ProductID) AS Sold FROM Products p
;
SELECT e.LastName, (SELECT m.LastName FROM Employees m WHERE m.EmployeeID = e.ManagerID) AS Manager FROM Employees e
;
SELECT o.OrderID, (SELECT c.CompanyName FROM Customers c WHERE c.CustomerID = o.CustomerID) AS BillTo, (SELECT c.CompanyName FROM Customers c WHERE c.CustomerID = o.ShipToCustomerID) AS ShipTo FROM Orders o
;
SELECT (SELECT COUNT(*) FROM Customers) AS Customers, (SELECT COUNT(*) FROM Orders) AS Orders, (SELECT COUNT(*) FROM Products) AS Products
;
SELECT (SELECT MAX(OrderDate) FROM Orders) AS LastOrder, (SELECT MIN(OrderDate) FROM Orders) AS FirstOrder
;
SELECT p.ProductName, p.UnitPrice - (SELECT AVG(p2.UnitPrice) FROM Products p2 WHERE p2.CategoryID = p.CategoryID) AS AboveCategory FROM Products p
;
SELECT c.CustomerID, COALESCE((SELECT SUM(ot.Total) FROM OrderTotals ot WHERE ot.CustomerID = c.CustomerID), 0) AS Spent FROM Customers c
;
SELECT c.CustomerID, CASE WHEN (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) > 10 THEN 'regular' ELSE 'occasional' END AS Kind FROM Customers c
;
SELECT CustomerID FROM Customers c WHERE (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) >= 15
;
SELECT CustomerID FROM Customers c WHERE 15 <= (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID)
;
SELECT OrderID FROM Orders WHERE OrderDate = (SELECT MAX(OrderDate) FROM Orders)
;
SELECT OrderID FROM Orders o WHERE o.Freight > (SELECT AVG(o2.Freight) FROM Orders o2 WHERE o2.ShipperID = o.ShipperID)
;
SELECT ProductName FROM Products WHERE ProductID IN (SELECT ProductID FROM OrderLines WHERE Quantity = 40)
;
SELECT ProductName FROM Products WHERE ProductID NOT IN (SELECT ProductID FROM OrderLines WHERE Discount > 0)
;
SELECT CompanyName FROM Customers WHERE CustomerID IN (SELECT CustomerID FROM Orders WHERE OrderID IN (SELECT OrderID FROM Complaints))
;
SELECT CompanyName FROM Customers WHERE CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE o.OrderID IN (SELECT ol.OrderID FROM OrderLines ol WHERE ol.ProductID IN (SELECT p.ProductID FROM Products p WHERE p.CategoryID IN (SELECT cat.CategoryID FROM Categories cat WHERE cat.CategoryName = 'Safety Gear'))))
;
SELECT CompanyName FROM Suppliers s WHERE EXISTS (SELECT * FROM Products p WHERE p.SupplierID = s.SupplierID AND p.Discontinued = 1)
;
SELECT CompanyName FROM Suppliers s WHERE NOT EXISTS (SELECT * FROM Products p WHERE p.SupplierID = s.SupplierID)
;
SELECT CompanyName FROM Shippers sh WHERE NOT EXISTS (SELECT 1 FROM Orders o WHERE o.ShipperID = sh.ShipperID)
;
SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID AND EXISTS (SELECT 1 FROM Complaints cp WHERE cp.OrderID = o.OrderID AND cp.Resolved = 0))
;
SELECT e.LastName FROM Employees e WHERE EXISTS (SELECT * FROM Employees staff WHERE staff.ManagerID = e.EmployeeID)
;
SELECT e.LastName FROM Employees e WHERE NOT EXISTS (SELECT * FROM Orders o WHERE o.EmployeeID = e.EmployeeID) AND e.ManagerID IS NOT NULL
;
SELECT o.OrderID FROM Orders o WHERE EXISTS (SELECT 1 FROM OrderLines ol WHERE ol.OrderID = o.OrderID AND ol.ProductID IN (SELECT ProductID FROM Products WHERE Discontinued = 1))
;
-- engines: pg
SELECT ProductName FROM Products WHERE UnitPrice >= ALL (SELECT UnitPrice FROM Products)
;
-- engines: pg
SELECT p.ProductName FROM Products p WHERE p.UnitPrice > ALL (SELECT p2.UnitPrice FROM Products p2 WHERE p2.CategoryID = p.CategoryID AND p2.ProductID <> p.ProductID)
;
-- engines: pg
SELECT c.CompanyName FROM Customers c WHERE c.CreditLimit < ANY (SELECT ot.Total FROM OrderTotals ot WHERE ot.CustomerID = c.CustomerID)
;
-- engines: pg
SELECT c.CompanyName FROM Customers c WHERE c.Country = SOME (SELECT s.Country FROM Suppliers s)
;
-- engines: pg
SELECT OrderID FROM Orders WHERE EmployeeID <> ALL (SELECT EmployeeID FROM Employees WHERE City = 'London')
;
-- engines: pg
SELECT p.ProductName FROM Products p WHERE NOT p.ProductID = ANY (SELECT ol.ProductID FROM OrderLines ol WHERE ol.OrderID < 10100)
;
SELECT d.Country, d.Customers FROM (SELECT Country, COUNT(*) AS Customers FROM Customers GROUP BY Country) d WHERE d.Customers > 3
;
SELECT d.Country, d.Customers FROM (SELECT Country, COUNT(*) AS Customers FROM Customers GROUP BY Country) AS d ORDER BY d.Customers DESC, d.Country
;
SELECT t.OrderYear, t.Sales FROM (SELECT OrderYear, SUM(Sales) AS Sales FROM "Sales by Category" GROUP BY OrderYear) t ORDER BY t.OrderYear
;
SELECT x.* FROM (SELECT ProductID, ProductName FROM Products WHERE CategoryID = 5) x
;
SELECT * FROM (SELECT * FROM (SELECT * FROM Categories) inner1) outer1
;
SELECT d.CustomerID, d.Spent FROM (SELECT ot.CustomerID, SUM(ot.Total) AS Spent FROM OrderTotals ot GROUP BY ot.CustomerID) d WHERE d.Spent > (SELECT AVG(d2.Spent) FROM (SELECT SUM(Total) AS Spent FROM OrderTotals GROUP BY CustomerID) d2)
;
SELECT a.OrderID, a.Lines, b.Total FROM (SELECT OrderID, COUNT(*) AS Lines FROM OrderLines GROUP BY OrderID) a INNER JOIN (SELECT OrderID, Total FROM OrderTotals) b ON b.OrderID = a.OrderID WHERE a.Lines >= 5
;
SELECT top3.ProductID FROM (SELECT ProductID FROM Products ORDER BY UnitPrice DESC, ProductID) top3
;
SELECT names.Name FROM (SELECT CompanyName AS Name FROM Customers UNION SELECT CompanyName FROM Suppliers) names
;
SELECT u.Kind, COUNT(*) AS Entries FROM (SELECT 'customer' AS Kind, City FROM Customers UNION ALL SELECT 'supplier', City FROM Suppliers) AS u GROUP BY u.Kind
;
-- engines: pg
SELECT d.c, d.n FROM (SELECT Country, COUNT(*) FROM Customers GROUP BY Country) AS d (c, n)
;
-- engines: pg
SELECT q.a + q.b AS Total FROM (SELECT 1, 2) q (a, b)
;
-- engines: pg
SELECT y.Y1, y.Y2 FROM (SELECT MIN(OrderDate), MAX(OrderDate) FROM Orders) y (Y1, Y2)
;
-- engines: pg
SELECT s."Who" FROM (SELECT FirstName FROM Employees UNION SELECT ContactName FROM Suppliers) s ("Who")
;
-- engines: none
SELECT d.n FROM (SELECT 1) d ('n')
;
-- engines: sqlite
SELECT d.Quantity FROM (SELECT Quantity FROM OrderLines WHERE Discount = 0.2) 'd'
;
SELECT CompanyName FROM Customers WHERE CustomerID IN (SELECT CustomerID FROM Orders GROUP BY CustomerID HAVING COUNT(*) > 20)
;
SELECT CategoryID, COUNT(*) FROM Products GROUP BY CategoryID HAVING COUNT(*) >= (SELECT COUNT(*) FROM Products WHERE CategoryID = 1)
;
SELECT CategoryID FROM Products GROUP BY CategoryID HAVING AVG(UnitPrice) > (SELECT AVG(UnitPrice) FROM Products)
;
SELECT c.CompanyName FROM Customers c WHERE c.CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE o.EmployeeID = (SELECT e.EmployeeID FROM Employees e WHERE e.LastName = 'Reyes'))
;
SELECT OrderID FROM Orders WHERE Freight BETWEEN (SELECT MIN(Freight) FROM Orders) + 10 AND (SELECT MAX(Freight) FROM Orders) - 10
;
SELECT OrderID FROM Orders WHERE (SELECT COUNT(*) FROM OrderLines ol WHERE ol.OrderID = Orders.OrderID) IN (4, 5)
;
SELECT OrderID FROM Orders o WHERE (SELECT SUM(Quantity) FROM OrderLines ol WHERE ol.OrderID = o.OrderID) IS NULL
;
SELECT p.ProductName FROM Products p WHERE (SELECT MAX(ol.Discount) FROM OrderLines ol WHERE ol.ProductID = p.ProductID) BETWEEN 0.1 AND 0.2
;
SELECT c.CompanyName FROM Customers c WHERE (SELECT MAX(o.OrderDate) FROM Orders o WHERE o.CustomerID = c.CustomerID) < '2024-01-01'
;
SELECT ROUND((SELECT AVG(Total) FROM OrderTotals), 2) AS AverageOrder
;
SELECT UPPER((SELECT CategoryName FROM Categories WHERE CategoryID = 3)) AS Loud
;
SELECT p.ProductID, ((SELECT COUNT(*) FROM OrderLines ol WHERE ol.ProductID = p.ProductID)) * 2 AS Doubled FROM Products p
;
SELECT -(SELECT MIN(UnitPrice) FROM Products) AS Negative
;
SELECT c.CompanyName, o.OrderID FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID AND o.OrderDate = (SELECT MAX(o2.OrderDate) FROM Orders o2 WHERE o2.CustomerID = c.CustomerID)
;
SELECT p.ProductName FROM Products p WHERE p.ProductID IN (SELECT ol.ProductID FROM OrderLines ol WHERE ol.OrderID IN (SELECT o.OrderID FROM Orders o WHERE o.CustomerID = 87) ORDER BY ol.ProductID)
;
SELECT CustomerID FROM Customers WHERE CustomerID IN (SELECT CustomerID FROM Orders WHERE ShipperID = 1 INTERSECT SELECT CustomerID FROM Orders WHERE ShipperID = 3)
;
SELECT CustomerID FROM Customers WHERE CustomerID NOT IN (SELECT CustomerID FROM Orders UNION SELECT ShipToCustomerID FROM Orders)
;
SELECT EXISTS_TEST.n FROM (SELECT COUNT(*) AS n FROM Orders WHERE EXISTS (SELECT 1 FROM Shippers WHERE ShipperID = 4)) EXISTS_TEST
