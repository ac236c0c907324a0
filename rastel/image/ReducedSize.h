// The size a picture is fitted to in a box, as the reduced decoders compute
// it (the same truncation as the JPEG codec's reduced decode, so every
// format covers the fit the same way). Internal to rastel.
#pragma once

struct CReducedSize
{
    int width, height;

    // The best fit of width x height into boxWidth x boxHeight; the
    // picture's own size when it fits the box already.
    static CReducedSize Fit(int width, int height, int boxWidth, int boxHeight)
    {
        CReducedSize fit = { width, height };
        if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0 ||
            (width <= boxWidth && height <= boxHeight))
            return fit;
        double sx = (double)boxWidth / width, sy = (double)boxHeight / height;
        double s = sx < sy ? sx : sy;
        fit.width = (int)(width * s);
        fit.height = (int)(height * s);
        if (fit.width < 1)
            fit.width = 1;
        if (fit.height < 1)
            fit.height = 1;
        return fit;
    }
};
