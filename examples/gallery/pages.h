#ifndef PAGES_H
#define PAGES_H

class GalleryWindow;

// Each adds one tab of charts with realistic data to the gallery.
void addBarPage(GalleryWindow *window);
void addLinePage(GalleryWindow *window);
void addStackPage(GalleryWindow *window);
void addPiePage(GalleryWindow *window);
void addDonutPage(GalleryWindow *window);
void addLineZoomPage(GalleryWindow *window);
void addLivePage(GalleryWindow *window);

#endif // PAGES_H
