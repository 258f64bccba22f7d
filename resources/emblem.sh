# Orvanta emblem: a rounded blue badge with a white staircase of four steps
# and a gold arrow rising towards the top step.
#
# Sourced by make_icon.sh and make_about_picture.sh; defines draw_emblem.
#
# The artwork is described on a 16 x 16 unit grid.  Every straight edge lies
# on a whole unit, so at 16, 32, 48 and 128 pixels (1, 2, 3 and 8 pixels per
# unit) the steps and the arrow head fall exactly on pixel boundaries and stay
# sharp.  Shapes are drawn without antialiasing at eight times the target size
# and then box-averaged down, which gives exact coverage on the rounded
# corners and the diagonal arrow shaft.

# Call ImageMagick 6 by its full name: another "convert" may come first in PATH.
IM_CONVERT=${IM_CONVERT:-/usr/bin/convert}

# One thread keeps the pixel arithmetic in a fixed order run after run.
export MAGICK_THREAD_LIMIT=1

EMBLEM_SUPERSAMPLE=8

# Colours of the emblem.
EMBLEM_RIM='#173a8a'        # dark rim around the badge
EMBLEM_TOP='#6aaeff'        # badge gradient, top
EMBLEM_BOTTOM='#2354c0'     # badge gradient, bottom
EMBLEM_STEPS='#ffffff'      # the staircase
EMBLEM_ARROW='#ffc83a'      # the rising arrow

# Width of the dark rim in target pixels: 1 up to 64 pixels, then 2.
emblem_rim_pixels() {
    echo $(( ($1 + 63) / 64 ))
}

# draw_emblem SIZE OUTPUT.png
# Renders the emblem as a SIZE x SIZE RGBA PNG with a transparent background.
draw_emblem() {
    local size=$1 out=$2
    local big=$(( size * EMBLEM_SUPERSAMPLE ))
    local unit=$(( big / 16 ))
    # translate by half a pixel so that grid line u lands on pixel edge u*unit
    local xf="translate -0.5,-0.5 scale $unit,$unit"
    local rim inset
    rim=$(emblem_rim_pixels "$size")
    # the rim in grid units, and the inner rounded rectangle it leaves
    inset=$(awk -v r="$rim" -v s="$size" 'BEGIN { printf "%.6f", r * 16 / s }')
    local inner_edge inner_radius
    inner_edge=$(awk -v i="$inset" 'BEGIN { printf "%.6f", 16 - i }')
    inner_radius=$(awk -v i="$inset" 'BEGIN { printf "%.6f", 3 - i }')

    "$IM_CONVERT" \
        -size "${big}x${big}" xc:none +antialias \
        -fill "$EMBLEM_RIM" -draw "$xf roundrectangle 0,0 16,16 3,3" \
        \( -size "${big}x${big}" "gradient:${EMBLEM_TOP}-${EMBLEM_BOTTOM}" -alpha set \
           \( -size "${big}x${big}" xc:none +antialias -fill white \
              -draw "$xf roundrectangle $inset,$inset $inner_edge,$inner_edge $inner_radius,$inner_radius" \) \
           -compose DstIn -composite \) \
        -compose Over -composite \
        -fill "$EMBLEM_STEPS" \
        -draw "$xf polygon 2,14 2,11 5,11 5,8 8,8 8,5 11,5 11,2 14,2 14,14" \
        -fill "$EMBLEM_ARROW" \
        -draw "$xf polygon 1.5,7.5 6,3 7,4 2.5,8.5" \
        -draw "$xf polygon 3,2 7,2 7,6 6,6 6,3 3,3" \
        -scale "${size}x${size}" \
        -define png:exclude-chunks=date,time \
        "PNG32:$out"
}
