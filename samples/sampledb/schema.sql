-- Sample database of a small trading company ("Northgate Trading").
-- Runs unchanged on SQLite 3.40 and PostgreSQL 15: portable types only (INTEGER, VARCHAR(n),
-- NUMERIC(p,s), DATE), flags as INTEGER 0/1, every key and relation as a named constraint.
-- Unquoted names are written in mixed case; PostgreSQL folds them to lower case, SQLite keeps
-- them, and unquoted references work on both. The two quoted names ("Date" and
-- "Sales by Category") keep their exact spelling on both.

DROP VIEW IF EXISTS "Sales by Category";
DROP VIEW IF EXISTS ProductCatalog;
DROP VIEW IF EXISTS OrderTotals;
DROP TABLE IF EXISTS Complaints;
DROP TABLE IF EXISTS OrderLines;
DROP TABLE IF EXISTS Orders;
DROP TABLE IF EXISTS Products;
DROP TABLE IF EXISTS Customers;
DROP TABLE IF EXISTS Employees;
DROP TABLE IF EXISTS Shippers;
DROP TABLE IF EXISTS Suppliers;
DROP TABLE IF EXISTS Categories;

CREATE TABLE Categories (
  CategoryID INTEGER NOT NULL,
  CategoryName VARCHAR(40) NOT NULL,
  Description VARCHAR(200),
  CONSTRAINT PK_Categories PRIMARY KEY (CategoryID)
);

CREATE TABLE Suppliers (
  SupplierID INTEGER NOT NULL,
  CompanyName VARCHAR(60) NOT NULL,
  ContactName VARCHAR(60),
  City VARCHAR(40) NOT NULL,
  Country VARCHAR(40) NOT NULL,
  Phone VARCHAR(24),
  CONSTRAINT PK_Suppliers PRIMARY KEY (SupplierID)
);

CREATE TABLE Shippers (
  ShipperID INTEGER NOT NULL,
  CompanyName VARCHAR(60) NOT NULL,
  Phone VARCHAR(24),
  CONSTRAINT PK_Shippers PRIMARY KEY (ShipperID)
);

-- ManagerID is NULL for the managing director only.
CREATE TABLE Employees (
  EmployeeID INTEGER NOT NULL,
  FirstName VARCHAR(30) NOT NULL,
  LastName VARCHAR(30) NOT NULL,
  Title VARCHAR(40) NOT NULL,
  BirthDate DATE NOT NULL,
  HireDate DATE NOT NULL,
  City VARCHAR(40) NOT NULL,
  Salary NUMERIC(10, 2) NOT NULL,
  ManagerID INTEGER,
  CONSTRAINT PK_Employees PRIMARY KEY (EmployeeID),
  CONSTRAINT FK_Employees_Manager FOREIGN KEY (ManagerID) REFERENCES Employees (EmployeeID)
);

-- Region is NULL where the country has none worth recording.
CREATE TABLE Customers (
  CustomerID INTEGER NOT NULL,
  CompanyName VARCHAR(60) NOT NULL,
  ContactName VARCHAR(60) NOT NULL,
  ContactTitle VARCHAR(40),
  City VARCHAR(40) NOT NULL,
  Region VARCHAR(40),
  Country VARCHAR(40) NOT NULL,
  Phone VARCHAR(24),
  CreditLimit NUMERIC(10, 2) NOT NULL,
  CONSTRAINT PK_Customers PRIMARY KEY (CustomerID)
);

-- Discontinued is a 0/1 flag.
CREATE TABLE Products (
  ProductID INTEGER NOT NULL,
  ProductName VARCHAR(60) NOT NULL,
  SupplierID INTEGER NOT NULL,
  CategoryID INTEGER NOT NULL,
  QuantityPerUnit VARCHAR(30),
  UnitPrice NUMERIC(10, 2) NOT NULL,
  UnitsInStock INTEGER NOT NULL,
  ReorderLevel INTEGER NOT NULL,
  Discontinued INTEGER NOT NULL,
  CONSTRAINT PK_Products PRIMARY KEY (ProductID),
  CONSTRAINT FK_Products_Suppliers FOREIGN KEY (SupplierID) REFERENCES Suppliers (SupplierID),
  CONSTRAINT FK_Products_Categories FOREIGN KEY (CategoryID) REFERENCES Categories (CategoryID)
);

-- An order is billed to one customer and shipped to another (often the same one): two relations
-- to Customers. ShippedDate is NULL while the order is still open.
CREATE TABLE Orders (
  OrderID INTEGER NOT NULL,
  CustomerID INTEGER NOT NULL,
  ShipToCustomerID INTEGER NOT NULL,
  EmployeeID INTEGER NOT NULL,
  ShipperID INTEGER NOT NULL,
  OrderDate DATE NOT NULL,
  RequiredDate DATE NOT NULL,
  ShippedDate DATE,
  Freight NUMERIC(10, 2) NOT NULL,
  CONSTRAINT PK_Orders PRIMARY KEY (OrderID),
  CONSTRAINT FK_Orders_BillTo FOREIGN KEY (CustomerID) REFERENCES Customers (CustomerID),
  CONSTRAINT FK_Orders_ShipTo FOREIGN KEY (ShipToCustomerID) REFERENCES Customers (CustomerID),
  CONSTRAINT FK_Orders_Employees FOREIGN KEY (EmployeeID) REFERENCES Employees (EmployeeID),
  CONSTRAINT FK_Orders_Shippers FOREIGN KEY (ShipperID) REFERENCES Shippers (ShipperID)
);

-- One line per product of an order; UnitPrice is the price at the time of the order,
-- Discount a fraction (0.05 = 5 %).
CREATE TABLE OrderLines (
  OrderID INTEGER NOT NULL,
  ProductID INTEGER NOT NULL,
  UnitPrice NUMERIC(10, 2) NOT NULL,
  Quantity INTEGER NOT NULL,
  Discount NUMERIC(4, 2) NOT NULL,
  CONSTRAINT PK_OrderLines PRIMARY KEY (OrderID, ProductID),
  CONSTRAINT FK_OrderLines_Orders FOREIGN KEY (OrderID) REFERENCES Orders (OrderID),
  CONSTRAINT FK_OrderLines_Products FOREIGN KEY (ProductID) REFERENCES Products (ProductID)
);

-- A complaint concerns one order line, so it refers to it by both key columns. "Date" is a
-- reserved word in SQL-92 and always needs quotes; Resolved is a 0/1 flag.
CREATE TABLE Complaints (
  ComplaintID INTEGER NOT NULL,
  OrderID INTEGER NOT NULL,
  ProductID INTEGER NOT NULL,
  "Date" DATE NOT NULL,
  Reason VARCHAR(100) NOT NULL,
  Resolved INTEGER NOT NULL,
  CONSTRAINT PK_Complaints PRIMARY KEY (ComplaintID),
  CONSTRAINT FK_Complaints_OrderLines FOREIGN KEY (OrderID, ProductID)
    REFERENCES OrderLines (OrderID, ProductID)
);

-- Net value of every order (lines after discount, without freight).
CREATE VIEW OrderTotals AS
SELECT o.OrderID, o.CustomerID, o.OrderDate, COUNT(*) AS LineCount,
  ROUND(SUM(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)), 2) AS Total
FROM Orders o
  INNER JOIN OrderLines ol ON ol.OrderID = o.OrderID
GROUP BY o.OrderID, o.CustomerID, o.OrderDate;

-- Products still sold, with the names a price list shows.
CREATE VIEW ProductCatalog AS
SELECT p.ProductID, p.ProductName, cat.CategoryName, s.CompanyName AS SupplierName,
  p.QuantityPerUnit, p.UnitPrice
FROM Products p
  INNER JOIN Categories cat ON cat.CategoryID = p.CategoryID
  INNER JOIN Suppliers s ON s.SupplierID = p.SupplierID
WHERE p.Discontinued = 0;

-- Net sales per category and calendar year; the year is cut from the ISO date text, which both
-- engines produce alike.
CREATE VIEW "Sales by Category" AS
SELECT cat.CategoryID, cat.CategoryName,
  SUBSTR(CAST(o.OrderDate AS VARCHAR(10)), 1, 4) AS OrderYear,
  ROUND(SUM(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)), 2) AS Sales
FROM Categories cat
  INNER JOIN Products p ON p.CategoryID = cat.CategoryID
  INNER JOIN OrderLines ol ON ol.ProductID = p.ProductID
  INNER JOIN Orders o ON o.OrderID = ol.OrderID
GROUP BY cat.CategoryID, cat.CategoryName, SUBSTR(CAST(o.OrderDate AS VARCHAR(10)), 1, 4);
