-- Customers with the number and net value of their orders of current products, best first.
select c.CustomerID, c.CompanyName, c.Country,
       count(distinct o.OrderID) as OrderCount,
       sum(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)) as NetSales
  from Customers c
       inner join Orders o on o.CustomerID = c.CustomerID
       inner join OrderLines ol on ol.OrderID = o.OrderID
       inner join Products p on p.ProductID = ol.ProductID
 where p.Discontinued = 0
 group by c.CustomerID, c.CompanyName, c.Country
having sum(ol.Quantity * ol.UnitPrice * (1 - ol.Discount)) > 1000
 order by NetSales desc, c.CompanyName
