#!/usr/bin/env python3
"""Writes data.sql, the rows of the sample database, from a fixed seed.

The output is deterministic: running the script again gives the same file byte for byte, so
data.sql is committed and building the database needs no Python. Usage:

    python3 generate_data.py [output-file]      (default: data.sql next to this script)

Only the Python standard library is used. Every INSERT runs on SQLite and PostgreSQL alike:
dates are 'YYYY-MM-DD' strings, amounts have two decimals, flags are 0/1, and rows are written
in an order that satisfies every foreign key (PostgreSQL checks them at once).
"""

import datetime
import os
import random
import sys

SEED = 20240611
ROWS_PER_INSERT = 100

CATEGORIES = [
    ("Hand Tools", "Hammers, saws, chisels and everything driven by muscle"),
    ("Power Tools", "Corded and cordless drills, saws and sanders"),
    ("Garden", "Tools and supplies for gardens, lawns and hedges"),
    ("Kitchenware", "Pots, pans, knives and small kitchen helpers"),
    ("Lighting", "Lamps, bulbs and work lights"),
    ("Fasteners", "Screws, nails, bolts, anchors and rivets"),
    ("Paint & Coatings", "Paints, varnishes, primers and brushes"),
    ("Safety Gear", "Gloves, goggles, helmets and ear protection"),
]

# Ten products per category: (name, quantity per unit, list price).
PRODUCTS = [
    [("Claw Hammer 16 oz", "1 piece", 18.90), ("Club Hammer 1 kg", "1 piece", 21.50),
     ("Wood Chisel Set", "4 pieces", 34.00), ("Panel Saw 550 mm", "1 piece", 24.75),
     ("Hacksaw Frame", "1 piece", 12.40), ("Combination Square", "1 piece", 15.20),
     ("Screwdriver Set", "8 pieces", 27.90), ("Spirit Level 600 mm", "1 piece", 19.99),
     ("Adjustable Wrench 250 mm", "1 piece", 16.30), ("Block Plane", "1 piece", 42.00)],
    [("Cordless Drill 18V", "1 kit", 129.00), ("Impact Driver 18V", "1 kit", 149.00),
     ("Jigsaw 650 W", "1 piece", 89.50), ("Circular Saw 1400 W", "1 piece", 119.00),
     ("Random Orbit Sander", "1 piece", 74.90), ("Angle Grinder 125 mm", "1 piece", 64.00),
     ("Rotary Hammer SDS", "1 kit", 189.00), ("Heat Gun 2000 W", "1 piece", 39.90),
     ("Biscuit Joiner", "1 piece", 159.00), ("Battery Pack 4 Ah", "1 piece", 59.00)],
    [("Pruning Shears", "1 piece", 22.50), ("Hedge Trimmer", "1 piece", 99.00),
     ("Garden Hose 25 m", "1 roll", 34.90), ("Hose Reel Cart", "1 piece", 54.00),
     ("Leaf Rake", "1 piece", 14.90), ("Spade with Ash Handle", "1 piece", 36.50),
     ("Wheelbarrow 90 l", "1 piece", 84.00), ("Lawn Seed Mix", "5 kg bag", 27.00),
     ("Watering Can 10 l", "1 piece", 12.90), ("Compost Bin 300 l", "1 piece", 49.00)],
    [("Chef's Knife 20 cm", "1 piece", 58.00), ("Cast Iron Skillet", "1 piece", 44.90),
     ("Stock Pot 8 l", "1 piece", 39.00), ("Cutting Board Oak", "1 piece", 29.50),
     ("Measuring Cups", "set of 4", 9.90), ("Kitchen Scale", "1 piece", 24.00),
     ("Salad Spinner", "1 piece", 17.50), ("Pepper Mill", "1 piece", 21.00),
     ("Baking Sheet Pair", "2 pieces", 19.90), ("Espresso Pot 6 cups", "1 piece", 32.00)],
    [("LED Bulb E27 9 W", "pack of 4", 11.90), ("LED Work Light", "1 piece", 45.00),
     ("Head Torch", "1 piece", 23.50), ("Desk Lamp Arm", "1 piece", 49.90),
     ("Outdoor Wall Lantern", "1 piece", 38.00), ("Motion Sensor Light", "1 piece", 29.00),
     ("String Lights 10 m", "1 piece", 19.50), ("Fluorescent Tube 120 cm", "pack of 2", 14.00),
     ("Rechargeable Lantern", "1 piece", 33.00), ("Under-Cabinet Light Bar", "1 piece", 27.50)],
    [("Wood Screws 4x40", "box of 200", 7.90), ("Drywall Screws 3.5x35", "box of 500", 12.50),
     ("Wall Plugs 8 mm", "box of 100", 4.90), ("Hex Bolts M8x60", "box of 50", 9.40),
     ("Washers M8", "box of 200", 3.20), ("Wire Nails 60 mm", "1 kg", 5.60),
     ("Pop Rivets 4 mm", "box of 100", 6.30), ("Cable Ties 200 mm", "pack of 100", 4.10),
     ("Threaded Rod M10", "1 m", 3.90), ("Anchor Bolts 10x80", "box of 20", 14.80)],
    [("Interior Wall Paint White", "10 l", 54.00), ("Wood Varnish Satin", "750 ml", 18.90),
     ("Metal Primer Grey", "1 l", 16.50), ("Masonry Paint", "5 l", 42.00),
     ("Paint Roller Set", "1 set", 13.90), ("Brush Set Synthetic", "5 pieces", 15.40),
     ("Masking Tape 50 m", "1 roll", 4.50), ("Wood Stain Walnut", "750 ml", 17.20),
     ("Floor Lacquer", "2.5 l", 49.50), ("Spray Paint Black", "400 ml", 7.80)],
    [("Work Gloves Leather", "1 pair", 9.90), ("Safety Goggles", "1 piece", 7.50),
     ("Ear Defenders", "1 piece", 19.00), ("Hard Hat", "1 piece", 14.90),
     ("Dust Mask FFP2", "pack of 10", 16.00), ("Hi-Vis Vest", "1 piece", 6.90),
     ("Knee Pads", "1 pair", 18.50), ("Safety Boots S3", "1 pair", 79.00),
     ("First Aid Kit", "1 kit", 24.90), ("Face Shield", "1 piece", 12.00)],
]

# (company, contact, city, country, phone prefix)
SUPPLIERS = [
    ("Brightwell Tools Ltd", "Harriet Cole", "Sheffield", "UK", "+44 114"),
    ("Kessler Werkzeug GmbH", "Jonas Kessler", "Wuppertal", "Germany", "+49 202"),
    ("Nordlys Belysning AS", "Ingrid Solberg", "Bergen", "Norway", "+47 55"),
    ("Atelier Dupré", "Camille Dupré", "Lyon", "France", "+33 4"),
    ("O'Hara Hardware Supply", "Sean O'Hara", "Cork", "Ireland", "+353 21"),
    ("Forja Andina S.A.", "Lucía Paredes", "Medellín", "Colombia", "+57 4"),
    ("Great Lakes Fastener Co.", "Dwayne Mitchell", "Cleveland", "USA", "+1 216"),
    ("Sakura Kitchen Works", "Haruto Ishikawa", "Sakai", "Japan", "+81 72"),
    ("Pinecrest Garden Supply", "Molly Jenkins", "Portland", "USA", "+1 503"),
    ("Vitória Tintas Ltda", "Rafael Monteiro", "Curitiba", "Brazil", "+55 41"),
    ("Helvetia Präzision AG", "Urs Brunner", "Winterthur", "Switzerland", "+41 52"),
    ("Baltic Safety OÜ", "Kaarel Tamm", "Tallinn", "Estonia", "+372 6"),
    ("Maple Ridge Lighting", "Chloé Tremblay", "Montréal", "Canada", "+1 514"),
    ("Fratelli Bassi S.r.l.", "Giorgio Bassi", "Brescia", "Italy", "+39 030"),
    ("Southern Cross Coatings", "Mia Harrington", "Adelaide", "Australia", "+61 8"),
    ("Van der Berg Gereedschap", "Pieter van der Berg", "Eindhoven", "Netherlands", "+31 40"),
    ("Tatra Kovo s.r.o.", "Zuzana Hrušková", "Žilina", "Slovakia", "+421 41"),
    ("Riverside Cookware", "Nathan Brooks", "Louisville", "USA", "+1 502"),
    ("Skåne Trädgård AB", "Elin Lindqvist", "Malmö", "Sweden", "+46 40"),
    ("Iberia Ferretería S.L.", "Álvaro Ruiz", "Zaragoza", "Spain", "+34 976"),
]

# Suppliers (1-based ids) that carry each category, in category order: a product comes from one
# of the firms of its trade.
CATEGORY_SUPPLIERS = [
    [1, 2, 5, 11, 16, 17, 20],  # Hand Tools
    [2, 6, 11, 14, 16],  # Power Tools
    [5, 9, 19, 20],  # Garden
    [4, 8, 14, 18],  # Kitchenware
    [3, 13],  # Lighting
    [1, 7, 17, 20],  # Fasteners
    [4, 10, 15],  # Paint & Coatings
    [5, 6, 12],  # Safety Gear
]

SHIPPERS = [
    ("Swift Parcel", "+44 20 7946 0112"),
    ("Bluewater Freight", "+31 10 555 0183"),
    ("Ridgeline Logistics", "+1 303 555 0147"),
    # Never chosen for an order: the one shipper without orders.
    ("Hanseatic Cargo", "+49 40 555 0190"),
]

# (first, last, title, city, manager index or None); managers come before their staff so the
# self-reference is satisfied row by row.
EMPLOYEES = [
    ("Margaret", "Holloway", "Managing Director", "London", None),
    ("Daniel", "Okafor", "Sales Manager", "London", 1),
    ("Sofia", "Lindgren", "Sales Manager", "Hamburg", 1),
    ("Thomas", "Reyes", "Sales Representative", "London", 2),
    ("Priya", "Natarajan", "Sales Representative", "Manchester", 2),
    ("Lukas", "Brandt", "Sales Representative", "Hamburg", 3),
    ("Emma", "Fitzgerald", "Sales Representative", "Dublin", 2),
    ("Jakub", "Nowak", "Sales Representative", "Hamburg", 3),
    ("Chiara", "Romano", "Sales Representative", "Hamburg", 3),
    ("Oliver", "Grant", "Inside Sales Coordinator", "London", 2),
    ("Amélie", "Girard", "Sales Representative", "Hamburg", 3),
    ("Henry", "Whitaker", "Logistics Clerk", "London", 1),
]
SALES_STAFF = [2, 3, 4, 5, 6, 7, 8, 9, 10, 11]  # 1-based ids of those who take orders

# (city, region or None, country, phone prefix)
CITIES = [
    ("London", None, "UK", "+44 20"), ("Bristol", None, "UK", "+44 117"),
    ("Leeds", None, "UK", "+44 113"), ("Glasgow", None, "UK", "+44 141"),
    ("Dublin", None, "Ireland", "+353 1"), ("Galway", None, "Ireland", "+353 91"),
    ("Hamburg", None, "Germany", "+49 40"), ("München", None, "Germany", "+49 89"),
    ("Köln", None, "Germany", "+49 221"), ("Leipzig", None, "Germany", "+49 341"),
    ("Paris", None, "France", "+33 1"), ("Nantes", None, "France", "+33 2"),
    ("Amsterdam", None, "Netherlands", "+31 20"), ("Utrecht", None, "Netherlands", "+31 30"),
    ("Antwerpen", None, "Belgium", "+32 3"), ("Wien", None, "Austria", "+43 1"),
    ("Graz", None, "Austria", "+43 316"), ("Zürich", None, "Switzerland", "+41 44"),
    ("København", None, "Denmark", "+45 33"), ("Göteborg", None, "Sweden", "+46 31"),
    ("Kraków", None, "Poland", "+48 12"), ("Porto", None, "Portugal", "+351 22"),
    ("Madrid", None, "Spain", "+34 91"), ("Bologna", None, "Italy", "+39 051"),
    ("Boston", "MA", "USA", "+1 617"), ("Denver", "CO", "USA", "+1 303"),
    ("Seattle", "WA", "USA", "+1 206"), ("Austin", "TX", "USA", "+1 512"),
    ("Toronto", "ON", "Canada", "+1 416"), ("Vancouver", "BC", "Canada", "+1 604"),
    ("Melbourne", "VIC", "Australia", "+61 3"), ("Brisbane", "QLD", "Australia", "+61 7"),
]

NAME_STEMS = ["Oakfield", "Harbour", "Copperline", "Greenway", "Stonebridge", "Redwood",
              "Northfield", "Bluebell", "Ironside", "Millbrook", "Sunhill", "Westgate",
              "Kingsley", "Lakeside", "Brightmoor", "Elm Street", "Fairview", "Highland",
              "Silverbirch", "Ashcombe", "Meadowlark", "Riverbend", "Foxglove", "Old Quay",
              "Cedar Point", "Windmill", "Hearth & Home", "Thornbury", "Marigold", "Bayside"]
NAME_KINDS = ["Hardware", "Building Supplies", "Home Centre", "Garden Centre", "Kitchen Store",
              "Workshop", "DIY Market", "Trade Counter", "Interiors", "Tool Hire"]

FIRST_NAMES = ["Anna", "Ben", "Carla", "David", "Elif", "Finn", "Greta", "Hugo", "Isabel",
               "Jonas", "Katrin", "Liam", "Marta", "Nils", "Olga", "Paul", "Rosa", "Stefan",
               "Tanja", "Umar", "Vera", "Wim", "Yasmin", "Zoltán", "Agnès", "Björn", "Siobhán",
               "Mateo", "Noor", "Ruth"]
LAST_NAMES = ["Abbott", "Bauer", "Costa", "Dalton", "Eriksen", "Fischer", "García", "Hughes",
              "Ivanova", "Jensen", "Keller", "Lambert", "Moreau", "Nielsen", "O'Neill",
              "Petrov", "Quinn", "Rossi", "Schmidt", "Thompson", "Urban", "Vogel", "Walsh",
              "Young", "Zimmermann", "Müller", "Dubois", "Kowalski", "Hansen", "Baker"]
CONTACT_TITLES = ["Owner", "Purchasing Manager", "Store Manager", "Buyer", "Accounting Manager",
                  None]

REASONS = ["Damaged in transit", "Wrong item delivered", "Item missing from parcel",
           "Defective on arrival", "Late delivery", "Invoice does not match order",
           "Packaging soaked", "Quality below expectations", "Customer's mistake: wrong size",
           "Duplicate delivery"]

FIRST_DAY = datetime.date(2022, 1, 3)
LAST_DAY = datetime.date(2024, 12, 30)
CUSTOMER_COUNT = 90
ORDER_COUNT = 800
COMPLAINT_COUNT = 60


def sql_text(value):
    if value is None:
        return "NULL"
    return "'" + str(value).replace("'", "''") + "'"


def sql_money(value):
    return "%.2f" % value


def sql_date(value):
    return "NULL" if value is None else "'" + value.isoformat() + "'"


def write_insert(out, table, columns, rows):
    """Writes the rows as multi-row INSERTs of at most ROWS_PER_INSERT rows each."""
    for start in range(0, len(rows), ROWS_PER_INSERT):
        chunk = rows[start:start + ROWS_PER_INSERT]
        out.write("INSERT INTO %s (%s) VALUES\n" % (table, ", ".join(columns)))
        out.write(",\n".join("  (" + ", ".join(row) + ")" for row in chunk))
        out.write(";\n")
    out.write("\n")


def make_customers(rng):
    customers = []
    used = set()
    for cid in range(1, CUSTOMER_COUNT + 1):
        while True:
            name = "%s %s" % (rng.choice(NAME_STEMS), rng.choice(NAME_KINDS))
            if name not in used:
                used.add(name)
                break
        city, region, country, prefix = rng.choice(CITIES)
        contact = "%s %s" % (rng.choice(FIRST_NAMES), rng.choice(LAST_NAMES))
        title = rng.choice(CONTACT_TITLES)
        phone = None if rng.random() < 0.08 else "%s %03d %04d" % (
            prefix, rng.randint(200, 989), rng.randint(0, 9999))
        limit = rng.choice([2500, 5000, 5000, 10000, 10000, 15000, 25000, 50000])
        customers.append((cid, name, contact, title, city, region, country, phone, limit))
    return customers


def make_products(rng):
    products = []
    pid = 0
    for cat_index, items in enumerate(PRODUCTS):
        for name, unit, price in items:
            pid += 1
            supplier = rng.choice(CATEGORY_SUPPLIERS[cat_index])
            stock = rng.choice([0, rng.randint(1, 15), rng.randint(10, 250)])
            reorder = rng.choice([0, 5, 10, 20, 25])
            discontinued = 1 if rng.random() < 0.08 else 0
            products.append((pid, name, supplier, cat_index + 1, unit, price, stock, reorder,
                             discontinued))
    return products


def make_orders(rng, customers, products):
    # A few customers never order, so outer joins have something to show.
    silent = set(rng.sample(range(1, CUSTOMER_COUNT + 1), 6))
    buyers = [c[0] for c in customers if c[0] not in silent]
    # Regular customers order more often than occasional ones.
    weights = [rng.choice([1, 1, 2, 3, 5]) for _ in buyers]
    span = (LAST_DAY - FIRST_DAY).days
    days = sorted(rng.randint(0, span) for _ in range(ORDER_COUNT))
    orders = []
    lines = []
    for index, day in enumerate(days):
        oid = 10001 + index
        customer = rng.choices(buyers, weights)[0]
        ship_to = customer if rng.random() < 0.85 else rng.choice(buyers)
        employee = rng.choice(SALES_STAFF)
        shipper = rng.choice([1, 1, 2, 2, 3])
        order_date = FIRST_DAY + datetime.timedelta(days=day)
        required = order_date + datetime.timedelta(days=rng.choice([14, 14, 21, 28]))
        if (LAST_DAY - order_date).days < 12 or rng.random() < 0.02:
            shipped = None
        else:
            shipped = order_date + datetime.timedelta(days=rng.randint(1, 12))
        freight = round(rng.uniform(4, 180), 2)
        orders.append((oid, customer, ship_to, employee, shipper, order_date, required, shipped,
                       freight))
        # Older orders were sold at the price of their year.
        price_factor = {2022: 0.92, 2023: 0.96, 2024: 1.0}[order_date.year]
        for product in rng.sample(products, rng.choice([1, 2, 2, 3, 3, 3, 4, 5])):
            price = round(product[5] * price_factor, 2)
            quantity = rng.choice([1, 2, 3, 5, 6, 10, 12, 20, 24, 40])
            discount = rng.choice([0, 0, 0, 0, 0.05, 0.05, 0.1, 0.15, 0.2])
            lines.append((oid, product[0], price, quantity, discount))
    return orders, lines


def make_complaints(rng, orders, lines):
    shipped = {o[0]: o[7] for o in orders if o[7] is not None}
    candidates = [line for line in lines if line[0] in shipped]
    picked = sorted(rng.sample(candidates, COMPLAINT_COUNT), key=lambda l: (l[0], l[1]))
    complaints = []
    for index, line in enumerate(picked):
        day = shipped[line[0]] + datetime.timedelta(days=rng.randint(2, 30))
        resolved = 0 if day > LAST_DAY - datetime.timedelta(days=40) else int(rng.random() < 0.9)
        complaints.append((index + 1, line[0], line[1], day, rng.choice(REASONS), resolved))
    return complaints


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "data.sql")
    rng = random.Random(SEED)

    customers = make_customers(rng)
    products = make_products(rng)
    orders, lines = make_orders(rng, customers, products)
    complaints = make_complaints(rng, orders, lines)

    with open(target, "w", encoding="utf-8", newline="\n") as out:
        out.write("-- Rows of the sample database. Generated by generate_data.py (seed %d);\n"
                  "-- regenerate with: python3 samples/sampledb/generate_data.py\n\n" % SEED)
        out.write("BEGIN TRANSACTION;\n\n")
        write_insert(out, "Categories", ["CategoryID", "CategoryName", "Description"],
                     [[str(i + 1), sql_text(n), sql_text(d)] for i, (n, d) in enumerate(CATEGORIES)])
        write_insert(out, "Suppliers",
                     ["SupplierID", "CompanyName", "ContactName", "City", "Country", "Phone"],
                     [[str(i + 1), sql_text(s[0]), sql_text(s[1]), sql_text(s[2]), sql_text(s[3]),
                       sql_text("%s %03d %04d" % (s[4], rng.randint(200, 989), rng.randint(0, 9999)))]
                      for i, s in enumerate(SUPPLIERS)])
        write_insert(out, "Shippers", ["ShipperID", "CompanyName", "Phone"],
                     [[str(i + 1), sql_text(n), sql_text(p)] for i, (n, p) in enumerate(SHIPPERS)])
        employee_rows = []
        for i, (first, last, title, city, manager) in enumerate(EMPLOYEES):
            birth = datetime.date(rng.randint(1962, 1998), rng.randint(1, 12), rng.randint(1, 28))
            hire = datetime.date(rng.randint(2008, 2021), rng.randint(1, 12), rng.randint(1, 28))
            base = {"Managing Director": 98000, "Sales Manager": 72000}.get(title, 41000)
            salary = base + rng.randint(0, 40) * 250
            employee_rows.append([str(i + 1), sql_text(first), sql_text(last), sql_text(title),
                                  sql_date(birth), sql_date(hire), sql_text(city),
                                  sql_money(salary), "NULL" if manager is None else str(manager)])
        write_insert(out, "Employees",
                     ["EmployeeID", "FirstName", "LastName", "Title", "BirthDate", "HireDate",
                      "City", "Salary", "ManagerID"], employee_rows)
        write_insert(out, "Customers",
                     ["CustomerID", "CompanyName", "ContactName", "ContactTitle", "City", "Region",
                      "Country", "Phone", "CreditLimit"],
                     [[str(c[0])] + [sql_text(v) for v in c[1:8]] + [sql_money(c[8])]
                      for c in customers])
        write_insert(out, "Products",
                     ["ProductID", "ProductName", "SupplierID", "CategoryID", "QuantityPerUnit",
                      "UnitPrice", "UnitsInStock", "ReorderLevel", "Discontinued"],
                     [[str(p[0]), sql_text(p[1]), str(p[2]), str(p[3]), sql_text(p[4]),
                       sql_money(p[5]), str(p[6]), str(p[7]), str(p[8])] for p in products])
        write_insert(out, "Orders",
                     ["OrderID", "CustomerID", "ShipToCustomerID", "EmployeeID", "ShipperID",
                      "OrderDate", "RequiredDate", "ShippedDate", "Freight"],
                     [[str(o[0]), str(o[1]), str(o[2]), str(o[3]), str(o[4]), sql_date(o[5]),
                       sql_date(o[6]), sql_date(o[7]), sql_money(o[8])] for o in orders])
        write_insert(out, "OrderLines",
                     ["OrderID", "ProductID", "UnitPrice", "Quantity", "Discount"],
                     [[str(l[0]), str(l[1]), sql_money(l[2]), str(l[3]), sql_money(l[4])]
                      for l in lines])
        write_insert(out, "Complaints",
                     ["ComplaintID", "OrderID", "ProductID", '"Date"', "Reason", "Resolved"],
                     [[str(c[0]), str(c[1]), str(c[2]), sql_date(c[3]), sql_text(c[4]), str(c[5])]
                      for c in complaints])
        out.write("COMMIT;\n")


if __name__ == "__main__":
    main()
