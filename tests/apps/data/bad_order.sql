select c.CompanyName,
       o.OrderDate
  from Customers c, Orders o
 order c.CompanyName
