#include "app/editor_app.h"

int main(int argc, char** argv) { return app::runPictovance(argc, argv); }
