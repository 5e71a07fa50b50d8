#pragma once
// Filters of the picture file dialogs, in the "description|patterns|…||" form of platform::Dialogs.

namespace imaging {

// Opening photos (photo import, "Add Picture File" of the batch converter).
inline constexpr const char* kPictureOpenFilter =
    "(all picture files)|*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.pnm;*.tga;*.tif;*.tiff;*.pcx;*.wmf;*.emf|"
    "(*.jpg)|*.jpg|(*.jpeg)|*.jpeg|(*.gif)|*.gif|(*.bmp)|*.bmp|(*.png)|*.png|(*.pnm)|*.pnm|(*.tga)|*.tga|"
    "(*.tif)|*.tif|(*.tiff)|*.tiff|(*.pcx)|*.pcx|(*.wmf)|*.wmf|(*.emf)|*.emf||";

// Exporting the picture with Save As.
inline constexpr const char* kExportSaveFilter =
    "(*.jpg)|*.jpg|(*.jpeg)|*.jpeg|(*.gif)|*.gif|(*.bmp)|*.bmp|(*.png)|*.png|(*.pnm)|*.pnm|(*.tga)|*.tga|"
    "(*.tif)|*.tif|(*.tiff)|*.tiff|(*.pcx)|*.pcx||";

// The export dialog's default extension text.
inline constexpr const char* kExportDefaultExtension = "*.jpg";

} // namespace imaging
