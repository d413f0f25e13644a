-- Layout the scanner must take in its stride: line comments anywhere, odd whitespace, line
-- breaks inside strings, minus signs next to comments, and keywords in any letter case.

SELECT ProductID -- a comment with 'quotes', "names", [brackets] and a ; semicolon
FROM Products
;
SELECT ProductID--no blank before the comment
FROM Products--nor here
;
SELECT UnitsInStock - ReorderLevel AS Difference, UnitsInStock-ReorderLevel AS Tight, UnitsInStock - -ReorderLevel AS Sum2 FROM Products
;
SELECT UnitsInStock - -- a minus, then a comment
  ReorderLevel AS Difference FROM Products
;
SELECT
-- nothing but a comment on this line
--
--------------------------------------------
  CategoryID
FROM Categories
-- a comment after the last line of the statement
;
SELECT CategoryID, CategoryName FROM Categories WHERE CategoryID = 1 -- last line ends in a comment
;
SELECT c.CompanyName
FROM Customers c
  INNER JOIN Orders o -- join condition on the next line
    -- and a comment before ON
    ON o.CustomerID = c.CustomerID
WHERE -- the condition
  o.Freight > 170
;
SELECT CASE -- searched
  WHEN UnitPrice < 10 THEN 'cheap' -- first branch
  ELSE 'other' -- the rest
END AS Band FROM Products
;
SELECT 'a string
over two lines' AS Text2, 'tab	inside' AS Tabbed
;
SELECT 'not -- a comment' AS Dashes, '/* not a comment either */' AS Slashes
;
SELECT ProductName FROM Products WHERE ProductName LIKE '%--%' OR ProductName = 'x -- y'
;
SELECT 10 / 2 AS Div, 10/2 AS Tight, 10 /2 AS Left2, 10/ 2 AS Right2
;
SELECT

  ProductID   ,

  ProductName


FROM     Products
;
	SELECT	CategoryID	FROM	Categories	WHERE	CategoryID	<	3
;
SELECT CustomerID FROM Customers WHERE Region Is Not Null And Country In ('USA') Order By CustomerID
;
SELECT ProductID FROM Products WHERE UnitPrice Not Between 10 And 100 And ProductName Not Like 'S%' Escape '\'
;
SELECT Case When Exists (Select 1 From Orders) Then Cast(1 As Integer) Else 0 End AS Flag
;
SELECT Distinct Country From Customers Where Not Country = 'UK' Union Select Country From Suppliers
;
select o.OrderID from Orders o left outer join Shippers sh on sh.ShipperID = o.ShipperID where sh.ShipperID is null
;
SELECT COUNT ( * ) , SUM ( Freight ) , COUNT ( DISTINCT CustomerID ) FROM Orders
;
SELECT Customers . CompanyName , Orders . OrderID FROM Customers , Orders WHERE Orders . CustomerID = Customers . CustomerID AND Orders . OrderID < 10010
;
SELECT Products.* FROM Products WHERE ProductID < 3
;
SELECT UPPER ( CompanyName ) AS Loud, SUBSTR ( CompanyName , 1 , 3 ) AS Start FROM Suppliers
;
SELECT ProductID FROM Products WHERE CategoryID IN(1,2)AND UnitPrice>(SELECT AVG(UnitPrice)FROM Products)
;
SELECT ((((((((ProductID)))))))) FROM Products WHERE ((((((((ProductID < 5))))))))
;
SELECT 1+2*3-4/2%3 AS a1, -1--1 AS Comment1
;
SELECT 5 - - 3 AS Eight, 5 - -3 AS AlsoEight, 5 + +3 AS Plus, 5 + - 3 AS Two
