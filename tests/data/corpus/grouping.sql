-- Aggregates, GROUP BY and HAVING.

SELECT COUNT(*) FROM Orders
;
SELECT COUNT(*) AS Orders, SUM(Freight) AS Freight, AVG(Freight) AS AverageFreight, MIN(Freight) AS Lowest, MAX(Freight) AS Highest FROM Orders
;
SELECT COUNT(ShippedDate) AS Shipped, COUNT(*) - COUNT(ShippedDate) AS OpenOrders FROM Orders
;
SELECT COUNT(DISTINCT CustomerID) AS Buyers, COUNT(DISTINCT ShipToCustomerID) AS Receivers FROM Orders
;
SELECT COUNT(ALL Region) AS WithRegion, COUNT(DISTINCT Region) AS Regions FROM Customers
;
SELECT SUM(DISTINCT Quantity) AS DistinctSizes, SUM(ALL Quantity) AS Pieces FROM OrderLines
;
SELECT AVG(DISTINCT UnitPrice) AS A, AVG(ALL UnitPrice) AS B, MIN(DISTINCT UnitPrice) AS C, MAX(ALL UnitPrice) AS D FROM Products
;
SELECT count(*), Count(*), COUNT(*) FROM Shippers
;
SELECT Sum(Quantity), sum(Quantity), Avg(Discount), avg(Discount), Min(Quantity), max(Quantity) FROM OrderLines
;
SELECT Country, COUNT(*) AS Customers FROM Customers GROUP BY Country
;
SELECT Country, City, COUNT(*) AS Customers FROM Customers GROUP BY Country, City ORDER BY Country, City
;
SELECT CategoryID, COUNT(*) AS Products, AVG(UnitPrice) AS AveragePrice FROM Products GROUP BY CategoryID ORDER BY CategoryID
;
SELECT cat.CategoryName, COUNT(p.ProductID) AS Products FROM Categories cat LEFT JOIN Products p ON p.CategoryID = cat.CategoryID GROUP BY cat.CategoryName
;
SELECT cat.CategoryName, SUM(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)) AS Sales FROM Categories cat INNER JOIN Products p ON p.CategoryID = cat.CategoryID INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID GROUP BY cat.CategoryName ORDER BY cat.CategoryName
;
SELECT o.EmployeeID, COUNT(*) AS Orders, SUM(o.Freight) AS Freight FROM Orders o GROUP BY o.EmployeeID HAVING COUNT(*) > 80
;
SELECT e.LastName, COUNT(o.OrderID) AS Orders FROM Employees e LEFT JOIN Orders o ON o.EmployeeID = e.EmployeeID GROUP BY e.EmployeeID, e.LastName ORDER BY COUNT(o.OrderID) DESC, e.EmployeeID
;
SELECT CustomerID, COUNT(*) AS Orders FROM Orders GROUP BY CustomerID HAVING COUNT(*) >= 20 AND SUM(Freight) > 1000
;
SELECT CustomerID FROM Orders GROUP BY CustomerID HAVING COUNT(*) = 1 OR MAX(Freight) > 178
;
SELECT CustomerID, MIN(OrderDate) AS FirstOrder, MAX(OrderDate) AS LastOrder FROM Orders GROUP BY CustomerID HAVING MIN(OrderDate) >= '2023-01-01'
;
SELECT ProductID, SUM(Quantity) AS Pieces FROM OrderLines GROUP BY ProductID HAVING SUM(Quantity) BETWEEN 200 AND 400
;
SELECT ProductID FROM OrderLines GROUP BY ProductID HAVING NOT (COUNT(*) > 20 OR AVG(Discount) > 0.05)
;
SELECT ProductID, COUNT(*) AS Lines FROM OrderLines GROUP BY ProductID HAVING (COUNT(*) > 30 AND MAX(Quantity) = 40) OR (COUNT(*) < 20 AND MIN(Quantity) = 1)
;
SELECT ShipperID, COUNT(*) AS Orders FROM Orders WHERE ShippedDate IS NOT NULL GROUP BY ShipperID HAVING COUNT(*) > 100 ORDER BY ShipperID
;
SELECT SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 4) AS OrderYear, COUNT(*) AS Orders FROM Orders GROUP BY SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 4) ORDER BY 1
;
SELECT SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 7) AS OrderMonth, SUM(Freight) AS Freight FROM Orders GROUP BY SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 7) HAVING SUM(Freight) > 2500
;
SELECT CASE WHEN UnitPrice < 20 THEN 'low' WHEN UnitPrice < 80 THEN 'middle' ELSE 'high' END AS Band, COUNT(*) AS Products FROM Products GROUP BY CASE WHEN UnitPrice < 20 THEN 'low' WHEN UnitPrice < 80 THEN 'middle' ELSE 'high' END
;
SELECT Discontinued, CategoryID, COUNT(*) FROM Products GROUP BY Discontinued, CategoryID HAVING COUNT(*) > 1
;
SELECT o.CustomerID, o.ShipToCustomerID, COUNT(*) AS Orders FROM Orders o WHERE o.CustomerID <> o.ShipToCustomerID GROUP BY o.CustomerID, o.ShipToCustomerID
;
SELECT e.City, AVG(e.Salary) AS AverageSalary, MAX(e.Salary) - MIN(e.Salary) AS Spread FROM Employees e GROUP BY e.City
;
SELECT m.LastName AS Manager, COUNT(*) AS Staff FROM Employees e INNER JOIN Employees m ON m.EmployeeID = e.ManagerID GROUP BY m.LastName
;
SELECT cp.Reason, COUNT(*) AS Complaints, SUM(cp.Resolved) AS Resolved FROM Complaints cp GROUP BY cp.Reason ORDER BY COUNT(*) DESC, cp.Reason
;
SELECT p.ProductName, COUNT(cp.ComplaintID) AS Complaints FROM Products p INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID LEFT JOIN Complaints cp ON cp.OrderID = ol.OrderID AND cp.ProductID = ol.ProductID GROUP BY p.ProductName HAVING COUNT(cp.ComplaintID) > 1
;
SELECT c.Country, COUNT(DISTINCT c.CustomerID) AS Customers, COUNT(o.OrderID) AS Orders FROM Customers c LEFT JOIN Orders o ON o.CustomerID = c.CustomerID GROUP BY c.Country
;
SELECT OrderYear, SUM(Sales) AS Sales FROM "Sales by Category" GROUP BY OrderYear HAVING SUM(Sales) > 100000
;
SELECT CategoryName, MAX(Sales) - MIN(Sales) AS Growth FROM "Sales by Category" GROUP BY CategoryName
;
SELECT CustomerID, COUNT(*) AS Orders, ROUND(AVG(Total), 2) AS AverageOrder FROM OrderTotals GROUP BY CustomerID HAVING AVG(Total) > 3000
;
SELECT SupplierName, COUNT(*) AS Items FROM ProductCatalog GROUP BY SupplierName
;
SELECT COUNT(*) AS Lines, SUM(Quantity * UnitPrice) AS Gross, SUM(Quantity * UnitPrice * Discount) AS Discounts FROM OrderLines WHERE Discount > 0
;
SELECT MAX(UnitPrice) - MIN(UnitPrice) AS PriceRange, AVG(UnitPrice) * 2 AS DoubleAverage, -SUM(UnitsInStock) AS Negative FROM Products
;
SELECT COUNT(*) FROM Products WHERE UnitPrice > (SELECT AVG(UnitPrice) FROM Products)
;
SELECT MAX(LENGTH(ProductName)) AS LongestName, MIN(UPPER(ProductName)) AS FirstName FROM Products
;
SELECT COUNT(DISTINCT SUBSTR(CAST(OrderDate AS VARCHAR(10)), 1, 7)) AS Months FROM Orders
;
SELECT SUM(CASE WHEN ShippedDate IS NULL THEN 1 ELSE 0 END) AS OpenOrders, SUM(CASE WHEN ShippedDate > RequiredDate THEN 1 ELSE 0 END) AS LateOrders FROM Orders
;
SELECT EmployeeID, SUM(CASE ShipperID WHEN 1 THEN 1 ELSE 0 END) AS Swift, SUM(CASE ShipperID WHEN 2 THEN 1 ELSE 0 END) AS Bluewater FROM Orders GROUP BY EmployeeID
;
SELECT CategoryID, COUNT(*) FROM Products GROUP BY CategoryID HAVING MIN(UnitPrice) > 10 AND MAX(UnitPrice) < 100 AND COUNT(DISTINCT SupplierID) > 3
;
SELECT ol.OrderID FROM OrderLines ol GROUP BY ol.OrderID HAVING SUM(ol.Quantity) > 100 AND ol.OrderID IN (SELECT OrderID FROM Orders WHERE ShipperID = 1)
;
SELECT ol.OrderID FROM OrderLines ol GROUP BY ol.OrderID HAVING EXISTS (SELECT 1 FROM Complaints cp WHERE cp.OrderID = ol.OrderID)
;
SELECT o.CustomerID FROM Orders o GROUP BY o.CustomerID HAVING COUNT(*) > (SELECT COUNT(*) / 84 FROM Orders)
;
SELECT Country FROM Customers GROUP BY Country HAVING COUNT(*) > 2 ORDER BY Country DESC
;
SELECT MAX(c.City) AS Country, c.Country AS City FROM Customers c GROUP BY c.Country ORDER BY Country DESC, City
;
SELECT ContactTitle, COUNT(*) FROM Customers GROUP BY ContactTitle HAVING ContactTitle IS NOT NULL
;
SELECT COUNT(*) FROM Customers HAVING COUNT(*) > 50
;
SELECT Region, COUNT(*) AS Customers FROM Customers WHERE Country IN ('USA', 'Canada', 'Australia') GROUP BY Region ORDER BY Region
;
SELECT SUM(Quantity) / COUNT(*) AS IntegerAverage, AVG(Quantity) AS Average FROM OrderLines
;
select categoryid, count(*) from products group by categoryid having count(*) > 5
;
SELECT CategoryID,
       COUNT(*)        AS Products,  -- how many
       SUM(UnitsInStock) AS Stock    -- and how much
FROM Products
GROUP BY CategoryID
HAVING SUM(UnitsInStock) > 0 -- something on the shelf
