/* The reference chart drawn with gdchart (libgd underneath), for the side-by-side
 * benchmark: the series of a CSV file (first column the month, then one column a series)
 * as a 3-D clustered column chart with the three titles, 795 x 465 pixels, as a GIF.
 * gdchart draws neither a legend nor value labels, so this program paints both onto the
 * image gdchart hands back, with libgd's own calls, and then writes the GIF with libgd.
 * Usage: gdchart_peer DATA.csv OUT.gif
 * Build: cc -std=c11 -O2 -DHAVE_LIBFREETYPE gdchart_peer.c -lgdc -lgd -lm */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <gd.h>
#include <gdfonts.h>
#include <gdfontt.h>
/* Debian's libgdc needs all three headers in the one file that defines its option globals. */
#include <gdc.h>
#include <gdchart.h>
#include <gdcpie.h>

enum { WIDTH = 795, HEIGHT = 465, MAX_SETS = 3, MAX_POINTS = 12, NAME_LEN = 32 };
static const float Y_MAX = 200.0f; /* a fixed scale, so the labels land on the bars */

struct table {
  int sets, points;
  char set_names[MAX_SETS][NAME_LEN];
  char point_names[MAX_POINTS][NAME_LEN];
  char *point_labels[MAX_POINTS];
  float cells[MAX_SETS][MAX_POINTS];
  float values[MAX_SETS * MAX_POINTS]; /* the cells set after set, as GDC_out_graph wants them */
};

/* Reads "Month,North,South,West" then one line a month; returns 0 on a malformed file. */
static int read_table(const char *path, struct table *t) {
  FILE *f = fopen(path, "r");
  char line[256];
  if (!f || !fgets(line, sizeof line, f)) return 0;
  t->sets = 0;
  for (char *cell = strtok(line, ",\r\n"); cell; cell = strtok(NULL, ",\r\n"))
    if (cell != line && t->sets < MAX_SETS) snprintf(t->set_names[t->sets++], NAME_LEN, "%s", cell);
  for (t->points = 0; t->points < MAX_POINTS && fgets(line, sizeof line, f); ++t->points) {
    char *cell = strtok(line, ",\r\n");
    if (!cell) break;
    snprintf(t->point_names[t->points], NAME_LEN, "%s", cell);
    t->point_labels[t->points] = t->point_names[t->points];
    for (int s = 0; s < t->sets; ++s) {
      cell = strtok(NULL, ",\r\n");
      t->cells[s][t->points] = cell ? strtof(cell, NULL) : GDC_NOVALUE;
    }
  }
  fclose(f);
  for (int s = 0; s < t->sets; ++s) memcpy(t->values + s * t->points, t->cells[s], t->points * sizeof(float));
  return t->sets > 0 && t->points > 0;
}

/* The legend: a colour box and the series' name for each series, in the plot's top left
 * corner, which the rising data leaves free. */
static void draw_legend(gdImagePtr im, const struct table *t, const unsigned long *colours) {
  gdFontPtr font = gdFontGetSmall();
  int x = GDC_hard_xorig + 24, y = GDC_hard_yorig - GDC_hard_grapheight + 16;
  int ink = gdImageColorResolve(im, 0, 0, 0), paper = gdImageColorResolve(im, 255, 255, 255);
  gdImageFilledRectangle(im, x - 6, y - 6, x + 70, y + t->sets * 16, paper);
  gdImageRectangle(im, x - 6, y - 6, x + 70, y + t->sets * 16, ink);
  for (int s = 0; s < t->sets; ++s, y += 16) {
    int c = gdImageColorResolve(im, (int)(colours[s] >> 16), (int)(colours[s] >> 8 & 0xFF),
                                (int)(colours[s] & 0xFF));
    gdImageFilledRectangle(im, x, y, x + 9, y + 9, c);
    gdImageString(im, font, x + 14, y - 2, (unsigned char *)t->set_names[s], ink);
  }
}

/* Value labels above the first series' bars, placed from the plot area gdchart reports
 * back in GDC_hard_*. gdchart leaves a slot of room at each end and gives every point an
 * even slot between them, the sets' bars side by side at the slot's middle, each
 * GDC_bar_width per cent of the slot over the number of sets wide; a bar's 3-D top
 * rises depth pixels up and right of its front. */
static void draw_labels(gdImagePtr im, const struct table *t) {
  gdFontPtr font = gdFontGetTiny();
  int ink = gdImageColorResolve(im, 0, 0, 0);
  float depth = GDC_3d_depth * WIDTH / 200.0f;
  float slot = (GDC_hard_graphwidth - depth) / (t->points + 2);
  float bar = slot * GDC_bar_width / 100.0f / t->sets;
  for (int p = 0; p < t->points; ++p) {
    float v = t->cells[0][p];
    char text[16];
    int len = snprintf(text, sizeof text, "%.1f", v);
    float centre = GDC_hard_xorig + slot * (p + 1) - bar * (t->sets - 1) / 2.0f + depth / 2.0f;
    float top = GDC_hard_yorig - v / Y_MAX * GDC_hard_grapheight - 1.5f * depth;
    gdImageString(im, font, (int)centre - len * font->w / 2, (int)top - font->h - 1,
                  (unsigned char *)text, ink);
  }
}

int main(int argc, char **argv) {
  static struct table t;
  static unsigned long colours[MAX_SETS] = {0x4472C4, 0xED7D31, 0xA5A5A5};
  if (argc != 3 || !read_table(argv[1], &t)) {
    fprintf(stderr, "usage: gdchart_peer DATA.csv OUT.gif (Month,Series... with 1-%d series)\n", MAX_SETS);
    return 2;
  }
  GDC_image_type = GDC_GIF;
  GDC_title = "Sales 2024";
  GDC_xtitle = "Month";
  GDC_ytitle = "k EUR";
  GDC_xaxis_angle = 0.0;
  GDC_stack_type = GDC_STACK_BESIDE;
  GDC_3d_depth = 2.0f;
  GDC_SetColor = colours;
  GDC_BGColor = 0xFFFFFF;
  GDC_PlotColor = 0x4472C4;
  GDC_GridColor = 0xC0C0C0;
  GDC_LineColor = 0x000000;
  GDC_TitleColor = GDC_XTitleColor = GDC_YTitleColor = 0x000000;
  GDC_requested_ymin = 0.0f;
  GDC_requested_ymax = Y_MAX;
  /* Draw into an image and hand it back unwritten: the legend and labels go on it first,
   * and the GIF is encoded once, below. */
  GDC_hold_img = GDC_EXPOSE_IMAGE;
  GDC_generate_img = FALSE;
  if (GDC_out_graph(WIDTH, HEIGHT, NULL, GDC_3DBAR, t.points, t.point_labels, t.sets, t.values, NULL) != 0 ||
      !GDC_image) {
    fprintf(stderr, "gdchart_peer: gdchart could not draw the chart\n");
    return 1;
  }
  gdImagePtr im = GDC_image;
  draw_legend(im, &t, colours);
  draw_labels(im, &t);
  FILE *out = fopen(argv[2], "wb");
  if (!out) { perror(argv[2]); return 1; }
  gdImageGif(im, out);
  fclose(out);
  GDC_destroy_image(im);
  return 0;
}
