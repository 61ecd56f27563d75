-- A small sales database for the recordset tests: one table with a column of every
-- storage class SQLite has (integer, real, text, blob, NULL), plus a view and an empty
-- table. Built into a temporary file when the tests run.
CREATE TABLE sales (
    id      INTEGER PRIMARY KEY,
    region  TEXT NOT NULL,
    month   TEXT NOT NULL,
    units   INTEGER,
    revenue REAL,
    serial  INTEGER,
    note    TEXT,
    badge   BLOB
);

INSERT INTO sales VALUES (1, 'North', 'Jan', 120, 1250.75, 1099511627776, 'first', X'00FF10');
INSERT INTO sales VALUES (2, 'North', 'Feb', 135, 1410.0, -7, NULL, X'');
INSERT INTO sales VALUES (3, 'South', 'Jan', -98, 0.5, 2147483647, 'Zoë €', NULL);
INSERT INTO sales VALUES (4, 'South', 'Feb', NULL, NULL, -2147483649, '', X'CAFE');

CREATE VIEW totals AS SELECT region, SUM(units) AS units FROM sales GROUP BY region;

CREATE TABLE empty_table (name TEXT, amount REAL, count INTEGER);
