-- Reports as users write them by hand: joins of four to eight tables, sub-queries in every
-- place, CASE, long IN lists, grouping over joins, laid out on one line or on several. The
-- statements are longer than those of the other files (about 260 bytes on average), and the
-- parser benchmark reads this file as its corpus of realistic statements.

SELECT o.OrderID, o.OrderDate, c.CompanyName, e.LastName, sh.CompanyName AS Shipper, p.ProductName, ol.Quantity, ol.UnitPrice
FROM Orders o
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
  INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID
  INNER JOIN Shippers sh ON sh.ShipperID = o.ShipperID
  INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID
  INNER JOIN Products p ON p.ProductID = ol.ProductID
WHERE o.OrderDate >= '2024-06-01' AND c.Country IN ('Germany', 'France', 'Austria')
ORDER BY o.OrderID, p.ProductName
;
SELECT c.CompanyName, cat.CategoryName, SUM(ol.Quantity * ol.UnitPrice) AS Sales FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID INNER JOIN Products p ON p.ProductID = ol.ProductID INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID GROUP BY c.CompanyName, cat.CategoryName ORDER BY c.CompanyName, cat.CategoryName
;
SELECT p.ProductName, p.UnitPrice,
  CASE WHEN p.UnitPrice < 10 THEN 'budget' WHEN p.UnitPrice < 50 THEN 'standard' WHEN p.UnitPrice < 200 THEN 'premium' ELSE 'luxury' END AS PriceBand
FROM Products p
WHERE p.Discontinued = 0
ORDER BY p.ProductID
;
SELECT OrderID, CustomerID, Freight FROM Orders WHERE CustomerID IN (3, 7, 11, 14, 18, 21, 25, 29, 33, 36, 40, 44, 47, 51, 55, 58, 62, 66, 69, 73, 77, 80, 84, 88) AND ShipperID <> 4
;
SELECT c.CompanyName, c.City, c.Country, (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) AS Orders, (SELECT MAX(o.OrderDate) FROM Orders o WHERE o.CustomerID = c.CustomerID) AS LastOrder
FROM Customers c
WHERE c.Country IN ('USA', 'Canada', 'Mexico')
;
SELECT e.FirstName, e.LastName, m.LastName AS Manager, COUNT(o.OrderID) AS Orders, SUM(o.Freight) AS Freight
FROM Employees e
  LEFT JOIN Employees m ON m.EmployeeID = e.ManagerID
  LEFT JOIN Orders o ON o.EmployeeID = e.EmployeeID
GROUP BY e.EmployeeID, e.FirstName, e.LastName, m.LastName
ORDER BY e.EmployeeID
;
SELECT ProductName, UnitsInStock, ReorderLevel FROM Products WHERE UnitsInStock < ReorderLevel AND Discontinued = 0 AND CategoryID IN (1, 2, 4, 6, 8) ORDER BY ProductName, ProductID
;
SELECT o.OrderID, c.CompanyName AS BillTo, st.CompanyName AS ShipTo, st.City, st.Country
FROM Orders o
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
  INNER JOIN Customers st ON st.CustomerID = o.ShipToCustomerID
WHERE o.CustomerID <> o.ShipToCustomerID AND o.ShippedDate IS NOT NULL
;
SELECT s.CompanyName AS Supplier, s.Country, cat.CategoryName, COUNT(*) AS Products, MIN(p.UnitPrice) AS Cheapest, MAX(p.UnitPrice) AS Dearest
FROM Suppliers s INNER JOIN Products p ON p.SupplierID = s.SupplierID INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID
GROUP BY s.CompanyName, s.Country, cat.CategoryName
HAVING COUNT(*) > 1
;
SELECT cp.ComplaintID, cp."Date", cp.Reason, c.CompanyName, p.ProductName, ol.Quantity, e.LastName AS SoldBy
FROM Complaints cp
  INNER JOIN OrderLines ol ON ol.OrderID = cp.OrderID AND ol.ProductID = cp.ProductID
  INNER JOIN Orders o ON o.OrderID = ol.OrderID
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
  INNER JOIN Products p ON p.ProductID = ol.ProductID
  INNER JOIN Employees e ON e.EmployeeID = o.EmployeeID
WHERE cp.Resolved = 0
ORDER BY cp."Date", cp.ComplaintID
;
SELECT OrderID, ProductID, Quantity FROM OrderLines WHERE ProductID IN (SELECT ProductID FROM Products WHERE CategoryID = (SELECT CategoryID FROM Categories WHERE CategoryName = 'Garden')) AND Quantity >= 10
;
SELECT c.Country, COUNT(DISTINCT c.CustomerID) AS Customers, COUNT(o.OrderID) AS Orders, SUM(o.Freight) AS Freight, AVG(o.Freight) AS AverageFreight
FROM Customers c LEFT JOIN Orders o ON o.CustomerID = c.CustomerID
GROUP BY c.Country
ORDER BY c.Country
;
SELECT o.OrderID, o.OrderDate, o.RequiredDate, o.ShippedDate,
  CASE
    WHEN o.ShippedDate IS NULL THEN 'open'
    WHEN o.ShippedDate > o.RequiredDate THEN 'late'
    ELSE 'on time'
  END AS Delivery
FROM Orders o
WHERE o.EmployeeID IN (2, 3, 5) AND o.OrderDate BETWEEN '2023-01-01' AND '2023-12-31'
;
SELECT p.ProductID, p.ProductName FROM Products p WHERE NOT EXISTS (SELECT 1 FROM OrderLines ol INNER JOIN Orders o ON o.OrderID = ol.OrderID WHERE ol.ProductID = p.ProductID AND o.OrderDate >= '2024-01-01')
;
SELECT d.CustomerID, c.CompanyName, d.Orders, d.Spent FROM (SELECT ot.CustomerID, COUNT(*) AS Orders, SUM(ot.Total) AS Spent FROM OrderTotals ot GROUP BY ot.CustomerID) d INNER JOIN Customers c ON c.CustomerID = d.CustomerID WHERE d.Spent > 5000 ORDER BY d.Spent DESC, d.CustomerID
;
SELECT cat.CategoryName, p.ProductName, p.UnitPrice FROM Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID WHERE p.UnitPrice = (SELECT MAX(p2.UnitPrice) FROM Products p2 WHERE p2.CategoryID = p.CategoryID) ORDER BY cat.CategoryName, p.ProductName
;
SELECT OrderID, OrderDate FROM Orders WHERE OrderID IN (10012, 10034, 10056, 10078, 10090, 10112, 10134, 10156, 10178, 10190, 10212, 10234, 10256, 10278, 10290, 10312, 10334, 10356, 10378, 10390, 10412, 10434, 10456, 10478, 10490, 10512, 10534, 10556, 10578, 10590, 10612, 10634, 10656, 10678, 10690, 10712, 10734, 10756, 10778, 10790)
;
SELECT sh.CompanyName, COUNT(*) AS Orders, SUM(CASE WHEN o.ShippedDate IS NULL THEN 1 ELSE 0 END) AS Unshipped, SUM(CASE WHEN o.ShippedDate > o.RequiredDate THEN 1 ELSE 0 END) AS Late
FROM Orders o INNER JOIN Shippers sh ON sh.ShipperID = o.ShipperID
GROUP BY sh.CompanyName
ORDER BY sh.CompanyName
;
SELECT e.LastName, e.Title, e.City FROM Employees e WHERE e.EmployeeID IN (SELECT o.EmployeeID FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID WHERE c.Country = 'Germany')
;
SELECT c.CompanyName, o.OrderID, o.OrderDate, ol.ProductID, ol.Quantity, ol.Quantity * ol.UnitPrice * (1 - ol.Discount) AS LineTotal
FROM Customers c
  INNER JOIN Orders o ON o.CustomerID = c.CustomerID
  INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID
WHERE c.CustomerID = 17 AND ol.Discount > 0
ORDER BY o.OrderID, ol.ProductID
;
SELECT ProductName, QuantityPerUnit, UnitPrice FROM Products WHERE SupplierID IN (SELECT SupplierID FROM Suppliers WHERE Country IN ('Japan', 'China', 'Korea', 'Taiwan', 'India')) ORDER BY ProductName, ProductID
;
SELECT o.OrderID, c.CompanyName, c.Country, o.Freight,
  CASE c.Country WHEN 'USA' THEN 'domestic' WHEN 'Canada' THEN 'domestic' WHEN 'Mexico' THEN 'domestic' ELSE 'export' END AS Market
FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID
WHERE o.Freight > 100
;
SELECT p.ProductName, SUM(ol.Quantity) AS Pieces, SUM(ol.Quantity * ol.UnitPrice) AS Revenue, COUNT(DISTINCT ol.OrderID) AS Orders
FROM Products p
  INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID
  INNER JOIN Orders o ON o.OrderID = ol.OrderID
WHERE o.OrderDate >= '2024-01-01' AND o.OrderDate < '2025-01-01'
GROUP BY p.ProductName
HAVING SUM(ol.Quantity) > 50
;
SELECT c.CustomerID, c.CompanyName, c.CreditLimit FROM Customers c WHERE c.CreditLimit < (SELECT SUM(ot.Total) FROM OrderTotals ot WHERE ot.CustomerID = c.CustomerID AND ot.OrderDate >= '2024-01-01')
;
SELECT cat.CategoryName, s.CompanyName, p.ProductName, p.UnitPrice, p.UnitsInStock, p.UnitPrice * p.UnitsInStock AS StockValue FROM Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID WHERE p.UnitsInStock > 0 ORDER BY cat.CategoryName, StockValue DESC, p.ProductID
;
SELECT OrderID, ProductID, Quantity, UnitPrice, Discount FROM OrderLines WHERE Quantity IN (1, 2, 3, 5, 8, 13, 21, 34) AND Discount IN (0.05, 0.1, 0.15, 0.2)
;
SELECT e.EmployeeID, e.LastName, COUNT(DISTINCT o.CustomerID) AS Customers, COUNT(DISTINCT c.Country) AS Countries
FROM Employees e
  INNER JOIN Orders o ON o.EmployeeID = e.EmployeeID
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
GROUP BY e.EmployeeID, e.LastName
HAVING COUNT(DISTINCT c.Country) >= 3
ORDER BY e.EmployeeID
;
SELECT c.CompanyName, c.ContactName, c.Phone FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o INNER JOIN Complaints cp ON cp.OrderID = o.OrderID WHERE o.CustomerID = c.CustomerID AND cp.Resolved = 0) AND c.Phone IS NOT NULL
;
SELECT o.OrderID, o.OrderDate, ot.LineCount, ot.Total, o.Freight, ot.Total + o.Freight AS Invoice
FROM Orders o INNER JOIN OrderTotals ot ON ot.OrderID = o.OrderID
WHERE ot.LineCount >= 4 AND o.ShipperID IN (1, 2)
;
SELECT s.Country, s.CompanyName, COUNT(p.ProductID) AS Products FROM Suppliers s LEFT JOIN Products p ON p.SupplierID = s.SupplierID AND p.Discontinued = 0 GROUP BY s.Country, s.CompanyName ORDER BY s.Country, s.CompanyName
;
SELECT o.OrderID, c.CompanyName, e.FirstName, e.LastName, sh.CompanyName AS Shipper, o.Freight
FROM Orders o, Customers c, Employees e, Shippers sh
WHERE c.CustomerID = o.CustomerID AND e.EmployeeID = o.EmployeeID AND sh.ShipperID = o.ShipperID AND o.Freight > 120 AND c.Country NOT IN ('USA', 'UK')
;
SELECT p.ProductID, p.ProductName, (SELECT SUM(ol.Quantity) FROM OrderLines ol WHERE ol.ProductID = p.ProductID) AS Sold, (SELECT COUNT(*) FROM Complaints cp WHERE cp.ProductID = p.ProductID) AS Complaints
FROM Products p
WHERE p.CategoryID IN (SELECT CategoryID FROM Categories WHERE CategoryName IN ('Tools', 'Workshop', 'Kitchen'))
;
SELECT c.Country, c.City, COUNT(*) AS Customers FROM Customers c WHERE c.Country IN ('Germany', 'France', 'Spain', 'Italy', 'Portugal', 'Belgium', 'Netherlands', 'Austria', 'Switzerland', 'Poland', 'Sweden', 'Norway', 'Denmark', 'Finland', 'Ireland') GROUP BY c.Country, c.City
;
SELECT o.OrderID, o.OrderDate, c.CompanyName
FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID
WHERE o.OrderID IN (SELECT ol.OrderID FROM OrderLines ol INNER JOIN Products p ON p.ProductID = ol.ProductID WHERE p.Discontinued = 1)
  AND o.OrderDate >= '2023-07-01'
ORDER BY o.OrderDate, o.OrderID
;
SELECT cat.CategoryName, COUNT(DISTINCT o.OrderID) AS Orders, SUM(ol.Quantity) AS Pieces, AVG(ol.Discount) AS AverageDiscount
FROM Categories cat
  INNER JOIN Products p ON p.CategoryID = cat.CategoryID
  INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID
  INNER JOIN Orders o ON o.OrderID = ol.OrderID
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
WHERE c.Country = 'Germany'
GROUP BY cat.CategoryName
;
SELECT e.EmployeeID, e.FirstName, e.LastName, e.Salary, CASE WHEN e.Salary >= 90000 THEN 'A' WHEN e.Salary >= 70000 THEN 'B' WHEN e.Salary >= 50000 THEN 'C' ELSE 'D' END AS Band FROM Employees e ORDER BY e.Salary DESC, e.EmployeeID
;
SELECT ProductName FROM Products WHERE ProductID NOT IN (SELECT ol.ProductID FROM OrderLines ol INNER JOIN Orders o ON o.OrderID = ol.OrderID INNER JOIN Customers c ON c.CustomerID = o.CustomerID WHERE c.Country = 'USA')
;
SELECT c.CompanyName, o.OrderID, o.OrderDate, o.Freight FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID WHERE o.Freight > (SELECT AVG(o2.Freight) * 2 FROM Orders o2 WHERE o2.CustomerID = c.CustomerID) ORDER BY c.CompanyName, o.OrderID
;
SELECT o.OrderID, o.OrderDate, o.CustomerID, o.EmployeeID, o.ShipperID, o.Freight FROM Orders o WHERE o.EmployeeID IN (1, 4, 7, 9, 11) AND o.ShipperID IN (2, 3) AND o.Freight BETWEEN 20 AND 120 AND o.ShippedDate IS NOT NULL
;
SELECT d.CategoryName, d.Products, d.AveragePrice
FROM (SELECT cat.CategoryName, COUNT(*) AS Products, AVG(p.UnitPrice) AS AveragePrice
      FROM Categories cat INNER JOIN Products p ON p.CategoryID = cat.CategoryID
      WHERE p.Discontinued = 0
      GROUP BY cat.CategoryName) d
WHERE d.Products >= 5
ORDER BY d.CategoryName
;
SELECT cp.ComplaintID, cp.Reason,
  CASE cp.Resolved WHEN 1 THEN 'closed' ELSE 'open' END AS State,
  p.ProductName, s.CompanyName AS Supplier, s.Phone
FROM Complaints cp
  INNER JOIN Products p ON p.ProductID = cp.ProductID
  INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID
ORDER BY cp.ComplaintID
;
SELECT CustomerID, CompanyName, City FROM Customers WHERE City IN ('Graz', 'Hamburg', 'München', 'Köln', 'Wien', 'Nantes', 'Bologna', 'Antwerpen', 'Galway', 'London', 'Glasgow', 'Bristol', 'Seattle', 'Boston', 'Denver') ORDER BY City, CustomerID
;
SELECT o.OrderID, c.CompanyName, SUM(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)) AS Net FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID WHERE o.OrderDate >= '2024-10-01' GROUP BY o.OrderID, c.CompanyName HAVING SUM(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)) > 1000
;
SELECT e.LastName AS Employee, m.LastName AS Manager, mm.LastName AS ManagersManager FROM Employees e LEFT JOIN Employees m ON m.EmployeeID = e.ManagerID LEFT JOIN Employees mm ON mm.EmployeeID = m.ManagerID ORDER BY e.EmployeeID
;
SELECT p.ProductName, p.UnitPrice, cat.CategoryName
FROM Products p INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID
WHERE p.UnitPrice > (SELECT AVG(UnitPrice) FROM Products) AND p.SupplierID IN (SELECT SupplierID FROM Suppliers WHERE Country = 'Germany')
;
SELECT o.OrderID, c.CompanyName, c.Country, e.LastName, sh.CompanyName AS Shipper, ot.Total, o.Freight, cat.CategoryName, p.ProductName, s.CompanyName AS Supplier
FROM Orders o
  INNER JOIN OrderTotals ot ON ot.OrderID = o.OrderID
  INNER JOIN Customers c ON c.CustomerID = o.CustomerID
  LEFT JOIN Shippers sh ON sh.ShipperID = o.ShipperID
  LEFT JOIN Employees e ON e.EmployeeID = o.EmployeeID
  INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID
  INNER JOIN Products p ON p.ProductID = ol.ProductID
  INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID
  INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID
WHERE o.OrderDate BETWEEN '2024-11-01' AND '2024-11-30' AND ot.Total > 500
ORDER BY o.OrderID, p.ProductID
;
SELECT ShipperID, COUNT(*) AS Orders FROM Orders WHERE CustomerID IN (SELECT CustomerID FROM Customers WHERE Country IN ('Australia', 'Canada', 'Ireland', 'Portugal')) GROUP BY ShipperID ORDER BY ShipperID
;
SELECT c.CompanyName, CASE WHEN c.Region IS NULL THEN c.Country ELSE c.Region END AS Area, c.CreditLimit FROM Customers c WHERE c.CreditLimit >= 10000 ORDER BY c.CreditLimit DESC, c.CustomerID
;
SELECT ol.OrderID, ol.ProductID, ol.Quantity, p.UnitsInStock FROM OrderLines ol INNER JOIN Products p ON p.ProductID = ol.ProductID INNER JOIN Orders o ON o.OrderID = ol.OrderID WHERE o.ShippedDate IS NULL AND ol.Quantity > p.UnitsInStock
;
SELECT c.CustomerID, c.CompanyName,
  (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID AND o.OrderDate < '2023-01-01') AS Orders2022,
  (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID AND o.OrderDate >= '2023-01-01' AND o.OrderDate < '2024-01-01') AS Orders2023,
  (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID AND o.OrderDate >= '2024-01-01') AS Orders2024
FROM Customers c
ORDER BY c.CustomerID
;
SELECT p.ProductName, s.CompanyName, s.Country FROM Products p INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID WHERE p.ProductID IN (2, 5, 9, 12, 17, 23, 28, 31, 36, 42, 47, 53, 58, 64, 69, 75)
;
SELECT cat.CategoryName, SUM(CASE WHEN o.OrderDate < '2023-01-01' THEN ol.Quantity ELSE 0 END) AS Pieces2022, SUM(CASE WHEN o.OrderDate >= '2023-01-01' AND o.OrderDate < '2024-01-01' THEN ol.Quantity ELSE 0 END) AS Pieces2023, SUM(CASE WHEN o.OrderDate >= '2024-01-01' THEN ol.Quantity ELSE 0 END) AS Pieces2024
FROM Categories cat INNER JOIN Products p ON p.CategoryID = cat.CategoryID INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID INNER JOIN Orders o ON o.OrderID = ol.OrderID
GROUP BY cat.CategoryName
ORDER BY cat.CategoryName
;
SELECT e.LastName, e.HireDate FROM Employees e WHERE e.HireDate < (SELECT MIN(m.HireDate) FROM Employees m WHERE m.EmployeeID = e.ManagerID)
;
SELECT o.OrderID, o.Freight FROM Orders o WHERE o.Freight > 50 AND (o.ShipperID = 1 OR o.ShipperID = 3) AND NOT (o.CustomerID IN (1, 2, 3, 4, 5) OR o.EmployeeID = 6) ORDER BY o.Freight DESC, o.OrderID
;
SELECT s.CompanyName, s.ContactName, s.Phone, s.City FROM Suppliers s WHERE EXISTS (SELECT 1 FROM Products p INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID INNER JOIN Complaints cp ON cp.OrderID = ol.OrderID AND cp.ProductID = ol.ProductID WHERE p.SupplierID = s.SupplierID)
;
SELECT c.CompanyName, COUNT(o.OrderID) AS Orders
FROM Customers c LEFT OUTER JOIN Orders o ON o.CustomerID = c.CustomerID AND o.OrderDate >= '2024-01-01'
GROUP BY c.CustomerID, c.CompanyName
HAVING COUNT(o.OrderID) = 0
;
SELECT x.Country, x.Customers, y.Suppliers FROM (SELECT Country, COUNT(*) AS Customers FROM Customers GROUP BY Country) x INNER JOIN (SELECT Country, COUNT(*) AS Suppliers FROM Suppliers GROUP BY Country) y ON y.Country = x.Country ORDER BY x.Country
;
SELECT OrderID, ProductID, Quantity * UnitPrice AS Gross, Quantity * UnitPrice * Discount AS Rebate FROM OrderLines WHERE OrderID BETWEEN 10400 AND 10450 AND ProductID NOT IN (1, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37)
;
SELECT p.ProductID, p.ProductName, p.UnitPrice, p.UnitsInStock, p.ReorderLevel,
  CASE WHEN p.Discontinued = 1 THEN 'discontinued' WHEN p.UnitsInStock = 0 THEN 'out of stock' WHEN p.UnitsInStock < p.ReorderLevel THEN 'reorder' ELSE 'in stock' END AS StockState
FROM Products p INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID
WHERE s.Country IN ('Germany', 'USA', 'Japan')
ORDER BY p.ProductID
;
SELECT o.EmployeeID, sh.CompanyName, COUNT(*) AS Orders FROM Orders o INNER JOIN Shippers sh ON sh.ShipperID = o.ShipperID GROUP BY o.EmployeeID, sh.CompanyName
;
SELECT c.CompanyName FROM Customers c WHERE c.CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE o.ShipperID = 1) AND c.CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE o.ShipperID = 2) AND c.CustomerID NOT IN (SELECT o.CustomerID FROM Orders o WHERE o.ShipperID = 3)
;
SELECT ot.OrderID, ot.OrderDate, ot.Total FROM OrderTotals ot WHERE ot.Total > 2000
;
SELECT cat.CategoryName, cat.Description, COUNT(*) AS Products FROM Categories cat INNER JOIN Products p ON p.CategoryID = cat.CategoryID GROUP BY cat.CategoryName, cat.Description
;
SELECT e.FirstName, e.LastName, e.City, c.CompanyName, c.City AS CustomerCity FROM Employees e INNER JOIN Orders o ON o.EmployeeID = e.EmployeeID INNER JOIN Customers c ON c.CustomerID = o.CustomerID WHERE c.City = e.City
;
SELECT o.OrderID, o.OrderDate, o.Freight FROM Orders o WHERE o.CustomerID = 42 ORDER BY o.OrderDate DESC, o.OrderID
;
SELECT p.ProductName, p.UnitPrice, ol.UnitPrice AS SoldAt, ol.Quantity FROM Products p INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID WHERE ol.UnitPrice < p.UnitPrice AND ol.OrderID > 10700
;
SELECT c.Country, COUNT(*) AS Customers, SUM(c.CreditLimit) AS Credit FROM Customers c GROUP BY c.Country HAVING COUNT(*) > 2 ORDER BY c.Country
;
SELECT s.SupplierID, s.CompanyName FROM Suppliers s WHERE s.SupplierID NOT IN (SELECT p.SupplierID FROM Products p WHERE p.Discontinued = 0)
;
SELECT o.OrderID, c.CompanyName, o.OrderDate FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID WHERE o.ShippedDate IS NULL AND o.RequiredDate < '2024-12-15'
;
SELECT ProductID, COUNT(*) AS Complaints FROM Complaints GROUP BY ProductID HAVING COUNT(*) > 1
;
SELECT e.LastName, COUNT(*) AS Orders FROM Employees e INNER JOIN Orders o ON o.EmployeeID = e.EmployeeID WHERE o.OrderDate >= '2024-07-01' GROUP BY e.LastName
;
SELECT c.CompanyName, c.ContactName, c.ContactTitle FROM Customers c WHERE c.ContactTitle LIKE '%Manager%' AND c.Country = 'UK'
;
SELECT ProductName, UnitPrice FROM Products WHERE UnitPrice BETWEEN 25 AND 40 AND Discontinued = 0 ORDER BY UnitPrice, ProductID
