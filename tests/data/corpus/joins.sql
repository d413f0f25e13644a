-- Sources and joins: comma lists, every join kind, compound ON conditions, bracketed groups,
-- nested joins, self-joins and the two relations from Orders to Customers.

SELECT c.CompanyName, o.OrderID FROM Customers c, Orders o WHERE o.CustomerID = c.CustomerID
;
SELECT p.ProductName, cat.CategoryName, s.CompanyName FROM Products p, Categories cat, Suppliers s WHERE cat.CategoryID = p.CategoryID AND s.SupplierID = p.SupplierID
;
SELECT Customers.CompanyName, Orders.OrderDate FROM Customers, Orders WHERE Orders.CustomerID = Customers.CustomerID AND Orders.Freight > 150
;
SELECT cat.CategoryName, sh.CompanyName FROM Categories cat, Shippers sh
;
SELECT cat.CategoryName, sh.CompanyName FROM Categories cat CROSS JOIN Shippers sh
;
SELECT cat.CategoryName, sh.CompanyName, e.LastName FROM Categories cat CROSS JOIN Shippers sh CROSS JOIN Employees e WHERE e.ManagerID IS NULL
;
SELECT c.CompanyName, o.OrderID FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID
;
SELECT c.CompanyName, o.OrderID FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID
;
SELECT c.CompanyName, o.OrderID FROM Customers AS c INNER JOIN Orders AS o ON c.CustomerID = o.CustomerID
;
SELECT o.OrderID, p.ProductName, ol.Quantity FROM Orders o INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID INNER JOIN Products p ON p.ProductID = ol.ProductID
;
SELECT o.OrderID, c.CompanyName, e.LastName, sh.CompanyName AS Shipper FROM Orders o
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
  INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID
  INNER JOIN Shippers sh ON sh.ShipperID = o.ShipperID
;
SELECT c.CustomerID, c.CompanyName, o.OrderID FROM Customers c LEFT JOIN Orders o ON o.CustomerID = c.CustomerID
;
SELECT c.CustomerID, c.CompanyName, o.OrderID FROM Customers c LEFT OUTER JOIN Orders o ON o.CustomerID = c.CustomerID
;
SELECT c.CustomerID, c.CompanyName FROM Customers c LEFT OUTER JOIN Orders o ON o.CustomerID = c.CustomerID WHERE o.OrderID IS NULL
;
SELECT sh.CompanyName, o.OrderID FROM Orders o RIGHT JOIN Shippers sh ON sh.ShipperID = o.ShipperID
;
SELECT sh.CompanyName, o.OrderID FROM Orders o RIGHT OUTER JOIN Shippers sh ON sh.ShipperID = o.ShipperID WHERE o.OrderID IS NULL
;
SELECT c.CustomerID, o.OrderID FROM Customers c FULL JOIN Orders o ON o.CustomerID = c.CustomerID
;
SELECT c.CustomerID, o.OrderID FROM Customers c FULL OUTER JOIN Orders o ON o.CustomerID = c.CustomerID AND o.Freight > 100
;
SELECT s.CompanyName, p.ProductName FROM Suppliers s FULL OUTER JOIN Products p ON p.SupplierID = s.SupplierID AND p.Discontinued = 1
;
SELECT cp.ComplaintID, ol.Quantity, ol.UnitPrice FROM Complaints cp INNER JOIN OrderLines ol ON ol.OrderID = cp.OrderID AND ol.ProductID = cp.ProductID
;
SELECT cp.ComplaintID, cp.Reason, ol.Quantity FROM OrderLines ol LEFT JOIN Complaints cp ON cp.OrderID = ol.OrderID AND cp.ProductID = ol.ProductID WHERE ol.OrderID < 10050
;
SELECT cp.ComplaintID, p.ProductName, o.OrderDate FROM Complaints cp
  INNER JOIN OrderLines ol ON ol.OrderID = cp.OrderID AND ol.ProductID = cp.ProductID
  INNER JOIN Orders o ON o.OrderID = ol.OrderID
  INNER JOIN Products p ON p.ProductID = ol.ProductID
;
SELECT o.OrderID, ol.ProductID FROM Orders o INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID AND ol.Discount > 0 AND o.ShipperID = 2
;
SELECT o.OrderID, ol.ProductID FROM Orders o LEFT JOIN OrderLines ol ON ol.OrderID = o.OrderID AND ol.Quantity >= 20 AND 1 = 1
;
SELECT p.ProductName, ol.OrderID FROM Products p LEFT JOIN OrderLines ol ON p.ProductID = ol.ProductID AND (ol.Discount = 0.2 OR ol.Quantity = 40)
;
SELECT o.OrderID, c.CompanyName FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID AND c.Country = 'Germany' AND o.OrderDate >= '2024-01-01'
;
SELECT o.OrderID, b.CompanyName AS BillTo, s.CompanyName AS ShipTo FROM Orders o
  INNER JOIN Customers b ON b.CustomerID = o.CustomerID
  INNER JOIN Customers s ON s.CustomerID = o.ShipToCustomerID
WHERE o.CustomerID <> o.ShipToCustomerID
;
SELECT o.OrderID, b.City AS BillCity, s.City AS ShipCity FROM Customers b, Orders o, Customers s WHERE b.CustomerID = o.CustomerID AND s.CustomerID = o.ShipToCustomerID AND b.City <> s.City
;
SELECT o.OrderID, s.CompanyName FROM Orders o LEFT JOIN Customers s ON s.CustomerID = o.ShipToCustomerID AND s.Country = 'USA'
;
SELECT e.FirstName, e.LastName, m.FirstName AS ManagerFirst, m.LastName AS ManagerLast FROM Employees e INNER JOIN Employees m ON m.EmployeeID = e.ManagerID
;
SELECT e.LastName, m.LastName AS Manager FROM Employees e LEFT JOIN Employees m ON m.EmployeeID = e.ManagerID
;
SELECT e.LastName, m.LastName AS Manager, top.LastName AS TopManager FROM Employees e
  LEFT JOIN Employees m ON m.EmployeeID = e.ManagerID
  LEFT JOIN Employees top ON top.EmployeeID = m.ManagerID
;
SELECT m.LastName, e.LastName FROM Employees m, Employees e WHERE e.ManagerID = m.EmployeeID AND m.City = e.City
;
SELECT c.CompanyName, s.CompanyName FROM Customers c INNER JOIN Suppliers s ON s.City = c.City
;
SELECT c.CompanyName, s.CompanyName FROM Customers c INNER JOIN Suppliers s ON s.Country = c.Country AND s.City <> c.City
;
SELECT o.OrderID, e.LastName FROM Orders o INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID AND e.City = 'Hamburg' LEFT JOIN Complaints cp ON cp.OrderID = o.OrderID
;
SELECT o.OrderID, p.ProductName FROM (Orders o INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID) INNER JOIN Products p ON p.ProductID = ol.ProductID
;
SELECT c.CompanyName, o.OrderID, ol.ProductID FROM Customers c LEFT JOIN (Orders o INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID) ON o.CustomerID = c.CustomerID
;
SELECT c.CompanyName, o.OrderID FROM (Customers c LEFT JOIN Orders o ON o.CustomerID = c.CustomerID)
;
SELECT p.ProductName, cat.CategoryName, s.CompanyName FROM ((Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID) INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID)
;
SELECT o.OrderID, c.CompanyName, sh.CompanyName FROM (Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID), Shippers sh WHERE sh.ShipperID = o.ShipperID
;
SELECT o.OrderID, cp.Reason FROM (Orders o INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID) LEFT JOIN (Complaints cp INNER JOIN Products p ON p.ProductID = cp.ProductID) ON cp.OrderID = ol.OrderID AND cp.ProductID = ol.ProductID
;
-- engines: pg
SELECT c.CompanyName, o.OrderID, ol.ProductID FROM Customers c JOIN Orders o JOIN OrderLines ol ON ol.OrderID = o.OrderID ON o.CustomerID = c.CustomerID
;
-- engines: pg
SELECT c.CompanyName, o.OrderID FROM Customers c LEFT JOIN Orders o INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID ON o.CustomerID = c.CustomerID AND e.City = 'London'
;
-- engines: pg
SELECT p.ProductName, ol.OrderID, o.OrderDate, c.CompanyName FROM Products p
  INNER JOIN OrderLines ol
    INNER JOIN Orders o
      INNER JOIN Customers c ON c.CustomerID = o.CustomerID
    ON o.OrderID = ol.OrderID
  ON ol.ProductID = p.ProductID
;
-- engines: pg
SELECT cat.CategoryName, p.ProductName, s.CompanyName FROM Categories cat LEFT OUTER JOIN Products p INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID AND s.Country = 'USA' ON p.CategoryID = cat.CategoryID
;
SELECT cat.CategoryName, p.ProductName FROM Categories cat INNER JOIN Products p ON p.CategoryID = cat.CategoryID, Shippers sh WHERE sh.ShipperID = 1
;
SELECT sh.CompanyName, c.CategoryName FROM Shippers sh CROSS JOIN Categories c INNER JOIN Products p ON p.CategoryID = c.CategoryID WHERE sh.ShipperID = 4 AND p.UnitPrice > 150
;
SELECT o.OrderID, ot.Total FROM Orders o INNER JOIN OrderTotals ot ON ot.OrderID = o.OrderID WHERE ot.Total > 5000
;
SELECT sc.CategoryName, sc.OrderYear, sc.Sales, cat.Description FROM "Sales by Category" sc INNER JOIN Categories cat ON cat.CategoryID = sc.CategoryID
;
SELECT pc.ProductName, p.UnitsInStock FROM ProductCatalog pc INNER JOIN Products p ON p.ProductID = pc.ProductID
;
SELECT c.CompanyName, d.OrderCount FROM Customers c INNER JOIN (SELECT CustomerID, COUNT(*) AS OrderCount FROM Orders GROUP BY CustomerID) d ON d.CustomerID = c.CustomerID
;
SELECT c.CompanyName, d.Spent FROM Customers c LEFT JOIN (SELECT ot.CustomerID, SUM(ot.Total) AS Spent FROM OrderTotals ot GROUP BY ot.CustomerID) AS d ON d.CustomerID = c.CustomerID
;
SELECT big.OrderID, c.CompanyName FROM (SELECT OrderID, CustomerID FROM Orders WHERE Freight > 170) big INNER JOIN Customers c ON c.CustomerID = big.CustomerID
;
-- engines: pg
SELECT c.CompanyName, d.n FROM Customers c INNER JOIN (SELECT CustomerID, COUNT(*) FROM Orders GROUP BY CustomerID) AS d (CustomerID, n) ON d.CustomerID = c.CustomerID
;
-- engines: sqlite
SELECT main.Customers.CompanyName, main.Orders.OrderID FROM main.Customers INNER JOIN main.Orders ON main.Orders.CustomerID = main.Customers.CustomerID
;
-- engines: pg
SELECT public.Customers.CompanyName, public.Orders.OrderID FROM public.Customers INNER JOIN public.Orders ON public.Orders.CustomerID = public.Customers.CustomerID
;
-- engines: sqlite
SELECT c.CompanyName FROM main.Customers c
;
-- engines: pg
SELECT c.CompanyName FROM public.Customers AS c
;
-- engines: none
SELECT t.Name FROM sampledb.dbo.Customers t
;
-- engines: none
SELECT t.CompanyName, sampledb.dbo.Customers.City FROM sampledb..Customers t, sampledb.dbo.Customers
;
-- engines: none
SELECT x.Name FROM server1.sampledb.dbo.Customers x INNER JOIN .Orders o ON o.CustomerID = x.CustomerID
;
-- engines: none
SELECT server1.sampledb.dbo.Customers.CompanyName, sampledb..Customers.City, ..Customers.Phone FROM server1.sampledb.dbo.Customers
;
-- engines: sqlite
SELECT j.key, j.value FROM json_each('{"north": 1, "south": 2}') AS j
;
-- engines: pg
SELECT g, g * g AS Square FROM generate_series(1, 10) g
;
-- engines: pg
SELECT m, o.OrderDate FROM generate_series(1, 12) AS m LEFT JOIN Orders o ON o.OrderID = 10000 + m
;
-- engines: pg
SELECT y FROM generate_series(2022, 2024) y
;
-- engines: none
SELECT f.* FROM dbo.GetOrders(12, 'open') f INNER JOIN Customers c ON c.CustomerID = f.CustomerID
;
SELECT c.CompanyName, o.OrderID FROM Customers c JOIN Orders o ON (o.CustomerID = c.CustomerID)
;
SELECT c.CompanyName, o.OrderID FROM Customers c JOIN Orders o ON (o.CustomerID = c.CustomerID AND (o.ShipperID = 1 OR o.ShipperID = 2))
;
SELECT c.CompanyName, o.OrderID FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID AND NOT o.ShipperID = 3
;
SELECT o.OrderID FROM Orders o INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID AND o.OrderDate >= e.HireDate
;
SELECT p.ProductName, ol.OrderID FROM Products p INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID AND ol.UnitPrice < p.UnitPrice
;
SELECT p.ProductName FROM Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID AND cat.CategoryName IN ('Garden', 'Lighting') AND p.UnitPrice BETWEEN 20 AND 50
;
SELECT c.CompanyName FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID AND o.OrderID IN (SELECT cp.OrderID FROM Complaints cp)
;
SELECT c.CompanyName FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID AND EXISTS (SELECT 1 FROM Complaints cp WHERE cp.OrderID = o.OrderID AND cp.Resolved = 0)
;
sElEcT c.CompanyName, o.OrderID fRoM Customers c lEfT oUtEr JoIn Orders o On o.CustomerID = c.CustomerID wHeRe c.Country = 'Ireland'
;
SELECT c.CompanyName,o.OrderID FROM Customers c
LEFT
OUTER
JOIN
Orders o
ON
o.CustomerID=c.CustomerID
;
SELECT s.CompanyName, p.ProductName FROM Suppliers s -- who makes it
  INNER JOIN Products p -- what they make
    ON p.SupplierID = s.SupplierID -- the only relation
WHERE s.Country = 'Germany'
