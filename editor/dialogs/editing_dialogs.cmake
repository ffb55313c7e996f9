# Make Face, Change Face, Add Body and Add Background: their skins and the pictures that the
# other dialogs share (Done and Cancel, arrows, gender, group bullets). Every picture a button
# shows on its own is drawn at that button's size in pixels and is opaque, without the
# buttons' key colours, so it covers the button whatever lies under it.
set(ZEL_EDITING_BITMAPS
    # shared: Done, Cancel, arrows, gender
    312 313 314 316 317 318 300 306 307 308 309 310
    # Make Face
    343 360
    # Change Face
    322 319 320 321 157 158 159 160 161 162 173 174 175 176 352 353 354 355 358 359 385 386
    # Add Body and Add Background
    364 387 366 367 368 369 370 371 372 373 374 375 376 377)
set(ZEL_EDITING_ICONS 281 282 283 315)
set(editing_art)
foreach(id IN LISTS ZEL_EDITING_BITMAPS)
    list(APPEND editing_art bitmap/${id}.svg)
endforeach()
foreach(id IN LISTS ZEL_EDITING_ICONS)
    list(APPEND editing_art icon/${id}.svg)
endforeach()
zel_add_artwork(zel_dialogs editing_dialogs_art FILES ${editing_art})

