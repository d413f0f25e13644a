-- Open orders with their customer, newest first.
select o.OrderID, o.OrderDate, c.CompanyName
  from Orders o
       left outer join Customers c on c.CustomerID = o.CustomerID
 where o.ShippedDate is null
 order by o.OrderDate desc
