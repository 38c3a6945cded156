#ifndef PAGES_H
#define PAGES_H

class GalleryWindow;

// Each adds one tab of charts with realistic data to the gallery.
void addBarPage(GalleryWindow *window);
void addLineZoomPage(GalleryWindow *window);

#endif // PAGES_H
