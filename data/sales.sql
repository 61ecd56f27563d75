-- The demo's sample database: a small company's 2024 sales by month and region, in
-- thousands of euros, and its product mix.
CREATE TABLE monthly_sales (
    month_no INTEGER PRIMARY KEY,
    month    TEXT NOT NULL,
    north    REAL NOT NULL,
    south    REAL NOT NULL,
    west     REAL NOT NULL
);
INSERT INTO monthly_sales VALUES
    (1,  'Jan', 112.4,  86.0,  64.2),
    (2,  'Feb', 104.9,  91.3,  70.8),
    (3,  'Mar', 131.7, 102.5,  77.1),
    (4,  'Apr', 128.2, 110.4,  83.6),
    (5,  'May', 140.6, 118.9,  90.3),
    (6,  'Jun', 152.3, 125.1,  95.7),
    (7,  'Jul', 147.8, 131.6, 101.2),
    (8,  'Aug', 139.5, 127.0,  98.4),
    (9,  'Sep', 158.1, 133.8, 104.9),
    (10, 'Oct', 166.4, 140.2, 111.5),
    (11, 'Nov', 171.9, 146.7, 118.0),
    (12, 'Dec', 189.2, 159.3, 126.4);

CREATE TABLE quarterly_result (
    quarter TEXT PRIMARY KEY,
    revenue REAL NOT NULL,
    costs   REAL NOT NULL,
    margin  REAL NOT NULL
);
INSERT INTO quarterly_result VALUES
    ('Q1', 941.0, 868.5,  72.5),
    ('Q2', 1045.3, 1101.8, -56.5),
    ('Q3', 1142.3, 1009.6, 132.7),
    ('Q4', 1329.6, 1150.2, 179.4);

CREATE TABLE product_mix (
    product TEXT PRIMARY KEY,
    revenue REAL NOT NULL,
    units   REAL NOT NULL
);
INSERT INTO product_mix VALUES
    ('Hardware',       1840.5, 412),
    ('Software',       1265.0, 980),
    ('Services',        902.7, 233),
    ('Training',        341.2, 118),
    ('Spare parts',     188.9, 1507);
