select p.ProductName
  from Products p
 where (p.UnitPrice > 10
