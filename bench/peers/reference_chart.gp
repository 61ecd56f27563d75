# The reference chart drawn by gnuplot's gif terminal (libgd), for the side-by-side
# benchmark: three series x twelve months as a clustered column chart, the three titles,
# a legend and value labels on the North series, 795 x 465 pixels.
# gnuplot has no 3-D columns; its clustered histogram is the nearest chart it draws.
# Usage: gnuplot -c reference_chart.gp DATA.csv OUT.gif
data = ARG1
set terminal gif size 795,465 font "DejaVuSans,9"
set output ARG2
set datafile separator ","
set key autotitle columnhead top left
set title "Sales 2024" font "DejaVuSans-Bold,12"
set xlabel "Month"
set ylabel "k EUR"
set yrange [0:*]
set grid ytics
set style data histograms
set style histogram clustered gap 1
set style fill solid 1.0 border -1
set boxwidth 1.0 relative
# Three bars and one gap per month: the first (North) bar sits a quarter left of the month.
plot data using 2:xtic(1) lc rgb "#4472C4", \
     '' using 3 lc rgb "#ED7D31", \
     '' using 4 lc rgb "#A5A5A5", \
     '' using ($0 - 0.25):2:(sprintf("%.1f", $2)) with labels offset 0,0.6 font "DejaVuSans,7" notitle
