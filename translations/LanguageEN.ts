<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关
于</source>
        <translation>Mapvane\nTurns raster maps into georeferenced, tiled SMF map files.</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>CalibrationForm</name>
    <message>
        <source>横坐标</source>
        <translation>Easting</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>Northing</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>最大宽度为</source>
        <translation>Maximum width is </translation>
    </message>
    <message>
        <source>最大高度为</source>
        <translation>Maximum height is </translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>X1</source>
        <translation>X1</translation>
    </message>
    <message>
        <source>Y1</source>
        <translation>Y1</translation>
    </message>
    <message>
        <source>Lon1</source>
        <translation>Lon1</translation>
    </message>
    <message>
        <source>Lat1</source>
        <translation>Lat1</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>X2</source>
        <translation>X2</translation>
    </message>
    <message>
        <source>Y2</source>
        <translation>Y2</translation>
    </message>
    <message>
        <source>Lon2</source>
        <translation>Lon2</translation>
    </message>
    <message>
        <source>Lat2</source>
        <translation>Lat2</translation>
    </message>
    <message>
        <source>%1: %2 未输入</source>
        <translation>%1: %2 is not entered</translation>
    </message>
    <message>
        <source>%1: %2 输入无效或超出范围</source>
        <translation>%1: %2 is invalid or out of range</translation>
    </message>
    <message>
        <source>%1: %2 须大于 %3</source>
        <translation>%1: %2 must be greater than %3</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>Calibrate by hand</translation>
    </message>
    <message>
        <source>世界文件</source>
        <translation>world file</translation>
    </message>
    <message>
        <source>OziExplorer 文件</source>
        <translation>OziExplorer file</translation>
    </message>
    <message>
        <source>地面控制点</source>
        <translation>ground control points</translation>
    </message>
    <message>
        <source>%1(%2)</source>
        <comment>grid (datum)</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>来自 %1:%2,已重投影</source>
        <translation>From %1: %2, reprojected</translation>
    </message>
    <message>
        <source>来自 %1:%2,原样使用</source>
        <translation>From %1: %2, used as it is</translation>
    </message>
    <message>
        <source>度</source>
        <translation>degrees</translation>
    </message>
    <message>
        <source>分</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>UTM 区号</source>
        <translation>UTM zone</translation>
    </message>
    <message>
        <source>UTM 纬度带</source>
        <translation>UTM band</translation>
    </message>
    <message>
        <source>%1:超出 %2 的范围,只读显示</source>
        <translation>%1: outside the %2 grid, shown read-only</translation>
    </message>
    <message>
        <source>%1: 未输入</source>
        <translation>%1: not entered</translation>
    </message>
    <message>
        <source>%1: 数字不完整</source>
        <translation>%1: the number is not finished</translation>
    </message>
    <message>
        <source>%1: 不是数字</source>
        <translation>%1: not a number</translation>
    </message>
    <message>
        <source>%1: 须为整数</source>
        <translation>%1: must be a whole number</translation>
    </message>
    <message>
        <source>%1: 超出范围%2</source>
        <translation>%1: out of range%2</translation>
    </message>
    <message>
        <source>由 %1 个图层合并而成,来源见控制点窗口</source>
        <translation>Merged from %1 layers; the Control Points window lists them</translation>
    </message>
</context>
<context>
    <name>ControlPointsFit</name>
    <message>
        <source>这些点在一条直线上,无法拟合</source>
        <translation>The points lie on one line and cannot be fitted</translation>
    </message>
    <message>
        <source>薄板样条最多 %1 个点</source>
        <translation>A thin-plate spline takes at most %1 points</translation>
    </message>
    <message>
        <source>无法拟合这些点</source>
        <translation>The points cannot be fitted</translation>
    </message>
    <message>
        <source>二次多项式</source>
        <translation>Second-order polynomial</translation>
    </message>
    <message>
        <source>薄板样条</source>
        <translation>Thin-plate spline</translation>
    </message>
    <message>
        <source>仿射</source>
        <translation>Affine</translation>
    </message>
    <message>
        <source>仿射和薄板样条至少需要 %1 个点,二次多项式至少需要 %2 个点;薄板样条经过每个点。</source>
        <translation>Affine and thin-plate spline need %1 points or more, second-order polynomial %2 or more; a thin-plate spline passes through every point.</translation>
    </message>
    <message>
        <source>需要至少 %1 个启用且已输入位置的点,现有 %2 个</source>
        <translation>Needs at least %1 enabled points with their positions entered; there are %2</translation>
    </message>
</context>
<context>
    <name>ControlPointsPanel</name>
    <message>
        <source>更改变换</source>
        <translation>Change transform</translation>
    </message>
    <message>
        <source>变换:</source>
        <translation>Transform:</translation>
    </message>
    <message>
        <source>添加点</source>
        <translation>Add point</translation>
    </message>
    <message>
        <source>删除点</source>
        <translation>Delete point</translation>
    </message>
    <message>
        <source>显示结果</source>
        <translation>Show result</translation>
    </message>
    <message>
        <source>在地图上显示校正后的图层</source>
        <translation>Show the warped layer on the map</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>Back to two points</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>Calibrate by points</translation>
    </message>
    <message>
        <source>号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>On</translation>
    </message>
    <message>
        <source>横坐标</source>
        <translation>Easting</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>Northing</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>残差(像素)</source>
        <translation>Residual (px)</translation>
    </message>
    <message>
        <source>残差(米)</source>
        <translation>Residual (m)</translation>
    </message>
    <message>
        <source>按多点定标:任意多个点,可选变换,显示残差</source>
        <translation>Calibrate by points: any number of points, a choice of transform, residuals shown</translation>
    </message>
    <message>
        <source>均方根误差:%1 像素,%2 米</source>
        <translation>RMS error: %1 px, %2 m</translation>
    </message>
    <message>
        <source>未拟合:%1</source>
        <translation>Not fitted: %1</translation>
    </message>
    <message>
        <source>启用控制点</source>
        <translation>Enable control point</translation>
    </message>
    <message>
        <source>停用控制点</source>
        <translation>Disable control point</translation>
    </message>
    <message>
        <source>删除控制点</source>
        <translation>Delete control point</translation>
    </message>
    <message>
        <source>像素须在 0 到 %1 之间</source>
        <translation>The pixel must lie between 0 and %1</translation>
    </message>
    <message>
        <source>输入控制点</source>
        <translation>Type control point</translation>
    </message>
    <message>
        <source>请再输入横坐标</source>
        <translation>Type the easting too</translation>
    </message>
    <message>
        <source>请再输入纵坐标</source>
        <translation>Type the northing too</translation>
    </message>
    <message>
        <source>导入点…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>用 QGIS 的 .points 文件或 OziExplorer 的 .map 文件中的点替换这些点</source>
        <translation>Replace these points by those of a QGIS .points file or an OziExplorer .map file</translation>
    </message>
    <message>
        <source>导出点…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>把这些点写入 QGIS 的 .points 文件或 OziExplorer 的 .map 文件</source>
        <translation>Write these points to a QGIS .points file or an OziExplorer .map file</translation>
    </message>
    <message>
        <source>坐标系 EPSG:</source>
        <translation>Grid EPSG:</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>图上所印坐标网的 EPSG 代码(如 UTM 33N 为 32633):点的位置按该坐标系的横坐标和纵坐标输入,并在该坐标系上拟合。留空则按窗口的表示法和基准输入经纬度。</source>
        <translation>The EPSG code of the grid printed on the sheet (32633 for UTM 33N): positions are typed as its easting and northing and fitted on it. Left empty, longitudes and latitudes are typed in the window&apos;s notation and datum.</translation>
    </message>
    <message>
        <source>已输入的位置:</source>
        <translation>Typed positions:</translation>
    </message>
    <message>
        <source>把以前输入的位置(本图层和其他图层的点)用作当前点的位置</source>
        <translation>Use a position typed before (of a point of this layer or of another layer) as the current point&apos;s position</translation>
    </message>
    <message>
        <source>在地图上单击添加控制点,然后在表中输入其位置或从已输入的位置中选取</source>
        <translation>Click on the map to add a control point, then type its position in the table or pick one typed before</translation>
    </message>
    <message>
        <source>经纬度:按窗口的表示法和基准</source>
        <translation>Longitude and latitude in the window&apos;s notation and datum</translation>
    </message>
    <message>
        <source>更改点的坐标系</source>
        <translation>Change the points&apos; grid</translation>
    </message>
    <message>
        <source>点 %1:%2, %3</source>
        <translation>Point %1: %2, %3</translation>
    </message>
    <message>
        <source>%1 的点 %2:%3, %4</source>
        <translation>%1, point %2: %3, %4</translation>
    </message>
    <message>
        <source>(还没有)</source>
        <translation>(none yet)</translation>
    </message>
    <message>
        <source>选取…</source>
        <translation>Pick…</translation>
    </message>
    <message>
        <source>请先在表中选择一个点</source>
        <translation>Select a point in the table first</translation>
    </message>
    <message>
        <source>选取控制点位置</source>
        <translation>Pick a control point&apos;s position</translation>
    </message>
</context>
<context>
    <name>CoordinateNotation</name>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>the output %1 is a folder</source>
        <translation>the output %1 is a folder</translation>
    </message>
    <message>
        <source>the output %1 is not a regular file (a device, a pipe or a socket), which is never replaced</source>
        <translation>the output %1 is not a regular file (a device, a pipe or a socket), which is never replaced</translation>
    </message>
    <message>
        <source>the output %1 is the input %2</source>
        <translation>the output %1 is the input %2</translation>
    </message>
</context>
<context>
    <name>GeoRaster</name>
    <message>
        <source>the grid %1 cannot be transformed to WGS 84: %2</source>
        <translation>the grid %1 cannot be transformed to WGS 84: %2</translation>
    </message>
    <message>
        <source>the ground control points cannot be fitted: %1</source>
        <translation>the ground control points cannot be fitted: %1</translation>
    </message>
    <message>
        <source>the corners of the raster cannot be transformed to WGS 84 from %1</source>
        <translation>the corners of the raster cannot be transformed to WGS 84 from %1</translation>
    </message>
    <message>
        <source>the raster&apos;s grid cannot be read</source>
        <translation>the raster&apos;s grid cannot be read</translation>
    </message>
    <message>
        <source>%1 ground control points given; this transform needs at least %2</source>
        <translation>%1 ground control points given; this transform needs at least %2</translation>
    </message>
    <message>
        <source>%1 has a world file but no grid: a .prj file beside it must name its projection and datum</source>
        <translation>%1 has a world file but no grid: a .prj file beside it must name its projection and datum</translation>
    </message>
    <message>
        <source>the grid in %1 cannot be read</source>
        <translation>the grid in %1 cannot be read</translation>
    </message>
    <message>
        <source>the raster cannot be read</source>
        <translation>the raster cannot be read</translation>
    </message>
    <message>
        <source>the raster cannot be warped</source>
        <translation>the raster cannot be warped</translation>
    </message>
    <message>
        <source>the raster crosses the 180th meridian, which a level cannot span</source>
        <translation>the raster crosses the 180th meridian, which a level cannot span</translation>
    </message>
    <message>
        <source>%1 has a geotransform but names no grid</source>
        <translation>%1 has a geotransform but names no grid</translation>
    </message>
    <message>
        <source>not a raster the program reads (GeoTIFF or TIFF, PNG, JPEG, BMP or GIF)</source>
        <translation>not a raster the program reads (GeoTIFF or TIFF, PNG, JPEG, BMP or GIF)</translation>
    </message>
    <message>
        <source>the raster&apos;s footprint on WGS 84 has no size</source>
        <translation>the raster&apos;s footprint on WGS 84 has no size</translation>
    </message>
    <message>
        <source>the level would be too large: %1</source>
        <translation>the level would be too large: %1</translation>
    </message>
    <message>
        <source>the level would be %1 × %2 pixels, more than eight times the raster&apos;s own: its grid or points do not describe a map of this image</source>
        <translation>the level would be %1 × %2 pixels, more than eight times the raster&apos;s own: its grid or points do not describe a map of this image</translation>
    </message>
    <message>
        <source>a thin-plate spline takes at most %1 points; %2 were given</source>
        <translation>a thin-plate spline takes at most %1 points; %2 were given</translation>
    </message>
    <message>
        <source>the points lie outside the image (%1 × %2 pixels)</source>
        <translation>the points lie outside the image (%1 × %2 pixels)</translation>
    </message>
    <message>
        <source>the raster&apos;s pixel size is not a number</source>
        <translation>the raster&apos;s pixel size is not a number</translation>
    </message>
    <message>
        <source>the raster&apos;s pixels have no size</source>
        <translation>the raster&apos;s pixels have no size</translation>
    </message>
    <message>
        <source>the grid covers more than 360° of longitude (%1° to %2°)</source>
        <translation>the grid covers more than 360° of longitude (%1° to %2°)</translation>
    </message>
    <message>
        <source>the grid reaches past a pole (latitudes %1° to %2°)</source>
        <translation>the grid reaches past a pole (latitudes %1° to %2°)</translation>
    </message>
    <message>
        <source>the raster is too large: %1</source>
        <translation>the raster is too large: %1</translation>
    </message>
    <message>
        <source>the grid %1 names cannot be read: %2</source>
        <translation>the grid %1 names cannot be read: %2</translation>
    </message>
    <message>
        <source>only rasters of 8- or 16-bit grey, RGB or palette colours (with or without alpha) can be read</source>
        <translation>only rasters of 8- or 16-bit grey, RGB or palette colours (with or without alpha) can be read</translation>
    </message>
    <message>
        <source>the grid of the points cannot be read</source>
        <translation>the grid of the points cannot be read</translation>
    </message>
    <message>
        <source>the level of the sources has not been planned</source>
        <translation>the level of the sources has not been planned</translation>
    </message>
    <message>
        <source>its map face cannot be placed on WGS 84: %1</source>
        <translation>its map face cannot be placed on WGS 84: %1</translation>
    </message>
    <message>
        <source>its border encloses no area (at least 3 and at most %1 points around the map face are needed)</source>
        <translation>its border encloses no area (at least 3 and at most %1 points around the map face are needed)</translation>
    </message>
    <message>
        <source>a point of it does not transform</source>
        <translation>a point of it does not transform</translation>
    </message>
    <message>
        <source>a point of it lies beyond the range of longitudes and latitudes</source>
        <translation>a point of it lies beyond the range of longitudes and latitudes</translation>
    </message>
    <message>
        <source>a level needs at least one source</source>
        <translation>a level needs at least one source</translation>
    </message>
    <message>
        <source>the sources lie on both sides of the 180th meridian (from %1° to %2° of longitude), which one level cannot span</source>
        <translation>the sources lie on both sides of the 180th meridian (from %1° to %2° of longitude), which one level cannot span</translation>
    </message>
    <message>
        <source>the map faces of the sources have no size on WGS 84</source>
        <translation>the map faces of the sources have no size on WGS 84</translation>
    </message>
</context>
<context>
    <name>GridPosition</name>
    <message>
        <source>the %1 %2 is not a number of metres</source>
        <translation>the %1 %2 is not a number of metres</translation>
    </message>
    <message>
        <source>the %1 %2 is outside %3 to %4 metres</source>
        <translation>the %1 %2 is outside %3 to %4 metres</translation>
    </message>
    <message>
        <source>the UTM easting text %1 is not &quot;zone band easting&quot; (e.g. &quot;49 Q 757196&quot;)</source>
        <translation>the UTM easting text %1 is not &quot;zone band easting&quot; (e.g. &quot;49 Q 757196&quot;)</translation>
    </message>
    <message>
        <source>the UTM zone %1 is outside %2 to %3</source>
        <translation>the UTM zone %1 is outside %2 to %3</translation>
    </message>
    <message>
        <source>the UTM band %1 is not a letter C to X (without I and O)</source>
        <translation>the UTM band %1 is not a letter C to X (without I and O)</translation>
    </message>
    <message>
        <source>UTM easting</source>
        <translation>UTM easting</translation>
    </message>
    <message>
        <source>UTM northing</source>
        <translation>UTM northing</translation>
    </message>
    <message>
        <source>the grid position lies beyond the pole</source>
        <translation>the grid position lies beyond the pole</translation>
    </message>
    <message>
        <source>not a grid notation</source>
        <translation>not a grid notation</translation>
    </message>
    <message>
        <source>TM easting</source>
        <translation>TM easting</translation>
    </message>
    <message>
        <source>TM northing</source>
        <translation>TM northing</translation>
    </message>
</context>
<context>
    <name>HintedIntValidator</name>
    <message>
        <source>输入无效或超出范围</source>
        <translation>Invalid input or out of range</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>the image is %1 x %2 pixels and needs %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>the image is %1 x %2 pixels and needs %3 MiB, more than the memory limit of %4 MiB</translation>
    </message>
    <message>
        <source>no rows are left to read</source>
        <translation>no rows are left to read</translation>
    </message>
    <message>
        <source>damaged image data (%1)</source>
        <translation>damaged image data (%1)</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels and needs up to %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>the image is %1 x %2 pixels and needs up to %3 MiB, more than the memory limit of %4 MiB</translation>
    </message>
    <message>
        <source>damaged image data (its size differs from its header)</source>
        <translation>damaged image data (its size differs from its header)</translation>
    </message>
    <message>
        <source>unsupported image format</source>
        <translation>unsupported image format</translation>
    </message>
    <message>
        <source>damaged image data (the file ends at byte %1; its header needs %2 bytes of pixel data up to byte %3)</source>
        <translation>damaged image data (the file ends at byte %1; its header needs %2 bytes of pixel data up to byte %3)</translation>
    </message>
    <message>
        <source>premature end of data</source>
        <translation>premature end of data</translation>
    </message>
    <message>
        <source>the interlaced image needs %1 MiB, more than the memory limit of %2 MiB</source>
        <translation>the interlaced image needs %1 MiB, more than the memory limit of %2 MiB</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s colour masks are not separate runs of bits)</source>
        <translation>damaged image data (the BMP&apos;s colour masks are not separate runs of bits)</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s size is %1 x %2)</source>
        <translation>damaged image data (the BMP&apos;s size is %1 x %2)</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 pixels</translation>
    </message>
    <message>
        <source>%1; at most %2 a side</source>
        <translation>%1; at most %2 a side</translation>
    </message>
    <message>
        <source>%1; at most %2 megapixels</source>
        <translation>%1; at most %2 megapixels</translation>
    </message>
    <message>
        <source>the image is too large: %1</source>
        <translation>the image is too large: %1</translation>
    </message>
</context>
<context>
    <name>LayerImport</name>
    <message>
        <source>the top-left pixel (%1, %2)</source>
        <translation>the top-left pixel (%1, %2)</translation>
    </message>
    <message>
        <source>the bottom-right pixel (%1, %2)</source>
        <translation>the bottom-right pixel (%1, %2)</translation>
    </message>
    <message>
        <source>%1 lies beyond the %2 x %3 image and is moved to its edge</source>
        <translation>%1 lies beyond the %2 x %3 image and is moved to its edge</translation>
    </message>
    <message>
        <source>%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)</source>
        <translation>%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)</translation>
    </message>
    <message>
        <source>1 reference point</source>
        <translation>1 reference point</translation>
    </message>
    <message>
        <source>%1 reference points</source>
        <translation>%1 reference points</translation>
    </message>
    <message>
        <source>the MMPXY/MMPLL block (WGS 84)</source>
        <translation>the MMPXY/MMPLL block (WGS 84)</translation>
    </message>
    <message>
        <source>the Point lines (datum %1)</source>
        <translation>the Point lines (datum %1)</translation>
    </message>
    <message>
        <source>calibrated by %1 from %2</source>
        <translation>calibrated by %1 from %2</translation>
    </message>
    <message>
        <source>misses its reference points by up to %1 px (%2 m)</source>
        <translation>misses its reference points by up to %1 px (%2 m)</translation>
    </message>
    <message>
        <source>%1 (ground control points on %2)</source>
        <translation>%1 (ground control points on %2)</translation>
    </message>
    <message>
        <source>needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values (X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %1</source>
        <translation>needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values (X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %1</translation>
    </message>
    <message>
        <source>has a value that is not a whole pixel or a number of degrees</source>
        <translation>has a value that is not a whole pixel or a number of degrees</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, taken as it is</source>
        <translation>georeferenced by its %1 on %2, taken as it is</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, warped to %3 x %4 pixels on WGS 84</source>
        <translation>georeferenced by its %1 on %2, warped to %3 x %4 pixels on WGS 84</translation>
    </message>
    <message>
        <source>the points file %1 names its own grid, %2; no other can be given for it</source>
        <translation>the points file %1 names its own grid, %2; no other can be given for it</translation>
    </message>
    <message>
        <source>points on the grid %1 cannot also be on the datum %2</source>
        <translation>points on the grid %1 cannot also be on the datum %2</translation>
    </message>
    <message>
        <source>point %1 is not a longitude and latitude in degrees (%2, %3); points on a projected grid need its EPSG code</source>
        <translation>point %1 is not a longitude and latitude in degrees (%2, %3); points on a projected grid need its EPSG code</translation>
    </message>
</context>
<context>
    <name>LayerMosaic</name>
    <message>
        <source>a level read from an SMF file cannot be merged</source>
        <translation>a level read from an SMF file cannot be merged</translation>
    </message>
    <message>
        <source>a copy at another scale cannot be merged; merge the layer it was made from</source>
        <translation>a copy at another scale cannot be merged; merge the layer it was made from</translation>
    </message>
    <message>
        <source>it is not calibrated</source>
        <translation>it is not calibrated</translation>
    </message>
    <message>
        <source>its image %1 cannot be read</source>
        <translation>its image %1 cannot be read</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图层</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>层</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>比例尺(像素:毫秒)</source>
        <translation>Scale (pixel:ms)</translation>
    </message>
    <message>
        <source>定标点</source>
        <translation>Calibration points</translation>
    </message>
    <message>
        <source>度</source>
        <translation>Deg</translation>
    </message>
    <message>
        <source>度分</source>
        <translation>Deg-Min</translation>
    </message>
    <message>
        <source>度分秒</source>
        <translation>Deg-Min-Sec</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>Saving failed</translation>
    </message>
    <message>
        <source>请重新运行本程序以使语言切换生效.</source>
        <translation>Please restart the program for the language change to take effect.</translation>
    </message>
    <message>
        <source>正在保存...</source>
        <translation>Saving...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>输入数据无效或不完整</source>
        <translation>The input data is invalid or incomplete</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>此操作将会关闭先前文件,是否保存?</source>
        <translation>This closes the current file. Save it first?</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>加载失败</source>
        <translation>Loading failed</translation>
    </message>
    <message>
        <source>层</source>
        <comment>layer row name</comment>
        <translation>Layer </translation>
    </message>
    <message>
        <source>无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示</source>
        <translation>SMF files of more than 10,000 x 10,000 pixels cannot be edited! This SMF file will be shown read-only.</translation>
    </message>
    <message>
        <source>无法读取SMF文件</source>
        <translation>Cannot read the SMF file</translation>
    </message>
    <message>
        <source>转换失败</source>
        <translation>Conversion failed</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>图层(&amp;L)</source>
        <translation>&amp;Layers</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>属性(&amp;P)</source>
        <translation>&amp;Properties</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>增加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Tool bar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>定标点(&amp;P)</source>
        <translation>Calibration &amp;points</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>WFL到SMF(&amp;W)</source>
        <translation>&amp;WFL to SMF</translation>
    </message>
    <message>
        <source>浏览SMF(&amp;B)</source>
        <translation>&amp;Browse SMF</translation>
    </message>
    <message>
        <source>最近的文件(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>放大(&amp;I)</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Ctrl++</source>
        <translation>Ctrl++</translation>
    </message>
    <message>
        <source>缩小(&amp;O)</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>适合窗口(&amp;F)</source>
        <translation>&amp;Fit to window</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>实际大小(&amp;1)</source>
        <translation>Actual size (&amp;1)</translation>
    </message>
    <message>
        <source>Ctrl+1</source>
        <translation>Ctrl+1</translation>
    </message>
    <message>
        <source>请输入缩放比例(%)</source>
        <translation>Enter the scale (%)</translation>
    </message>
    <message>
        <source>所有支持的文件</source>
        <translation>All supported files</translation>
    </message>
    <message>
        <source>修改定标点</source>
        <translation>calibration edit</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>无法加载 %1</source>
        <translation>Cannot load %1</translation>
    </message>
    <message>
        <source>增加图层</source>
        <translation>adding layers</translation>
    </message>
    <message>
        <source>复制图层</source>
        <translation>copying a layer</translation>
    </message>
    <message>
        <source>自动复制图层</source>
        <translation>automatic copies</translation>
    </message>
    <message>
        <source>删除图层</source>
        <translation>deleting a layer</translation>
    </message>
    <message>
        <source>排序图层</source>
        <translation>sorting layers</translation>
    </message>
    <message>
        <source>无法手动定标</source>
        <translation>Cannot calibrate by hand</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>calibrating by hand</translation>
    </message>
    <message>
        <source>语言(&amp;G)</source>
        <translation>Lan&amp;guage</translation>
    </message>
    <message>
        <source>英语(&amp;E)</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>简体(&amp;S)</source>
        <translation>&amp;Simplified Chinese</translation>
    </message>
    <message>
        <source>繁体(&amp;T)</source>
        <translation>&amp;Traditional Chinese</translation>
    </message>
    <message>
        <source>自动(&amp;U)</source>
        <translation>A&amp;uto</translation>
    </message>
    <message>
        <source>缩放 %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>超过 10,000 x 10,000 像素,无法编辑:%1。这个文件将以只读方式在浏览窗口中打开。</source>
        <translation>Too large to edit (more than 10,000 x 10,000 pixels): %1. The file will open read-only, in a browse window.</translation>
    </message>
    <message>
        <source>已保存 %1:%2,%3,%4</source>
        <translation>Saved %1: %2, %3, %4</translation>
    </message>
    <message numerus="yes">
        <source>%n 层</source>
        <translation>
            <numerusform>%n level</numerusform>
            <numerusform>%n levels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个图块</source>
        <translation>
            <numerusform>%n tile</numerusform>
            <numerusform>%n tiles</numerusform>
        </translation>
    </message>
    <message>
        <source>项目中没有图层,无法保存</source>
        <translation>The project has no layers: there is nothing to save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>浏览SMF文件</source>
        <translation>Browse SMF file</translation>
    </message>
    <message>
        <source>选择WFL文件夹</source>
        <translation>Choose the WFL folder</translation>
    </message>
    <message>
        <source>保存SMF文件</source>
        <translation>Save SMF file</translation>
    </message>
    <message>
        <source>清除列表(&amp;C)</source>
        <translation>&amp;Clear list</translation>
    </message>
    <message>
        <source>增加图层</source>
        <comment>dialog title</comment>
        <translation>Add layers</translation>
    </message>
    <message>
        <source>复制图层</source>
        <comment>dialog title</comment>
        <translation>Copy layer</translation>
    </message>
    <message>
        <source>%1 已作为未定标的图像加入</source>
        <translation>%1 was added as an image without calibration</translation>
    </message>
    <message>
        <source>控制点</source>
        <translation>Control points</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>Calibrate by points</translation>
    </message>
    <message>
        <source>添加控制点</source>
        <translation>Add control point</translation>
    </message>
    <message>
        <source>移动控制点</source>
        <translation>Move control point</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>Back to two points</translation>
    </message>
    <message>
        <source>%1: 控制点未拟合</source>
        <comment>layer name</comment>
        <translation>%1: the control points are not fitted</translation>
    </message>
    <message>
        <source>控制点(&amp;C)</source>
        <translation>&amp;Control points</translation>
    </message>
    <message>
        <source>%1 中没有控制点</source>
        <translation>%1 holds no control points</translation>
    </message>
    <message>
        <source>导入点</source>
        <translation>Import Points</translation>
    </message>
    <message>
        <source>无法导入点</source>
        <translation>Cannot import the points</translation>
    </message>
    <message>
        <source>第 %1 点的像素 (%2, %3) 不在 %4 × %5 的图像内</source>
        <translation>Point %1 at pixel (%2, %3) lies outside the %4 × %5 image</translation>
    </message>
    <message>
        <source>导入控制点</source>
        <translation>Import Control Points</translation>
    </message>
    <message>
        <source>导出点</source>
        <translation>Export Points</translation>
    </message>
    <message>
        <source>无法写出这些点</source>
        <translation>The points cannot be written</translation>
    </message>
    <message>
        <source>无法导出点</source>
        <translation>Cannot export the points</translation>
    </message>
    <message>
        <source>QGIS 控制点 (*.points *.POINTS);;OziExplorer 地图 (*.map *.MAP)</source>
        <translation>QGIS control points (*.points *.POINTS);;OziExplorer maps (*.map *.MAP)</translation>
    </message>
    <message>
        <source>%1 的点所在的坐标系 %2 没有 EPSG 代码;只能导入有 EPSG 代码的坐标系上的点</source>
        <translation>The points of %1 are on the grid %2, which has no EPSG code; only points on a grid with an EPSG code can be imported</translation>
    </message>
    <message>
        <source>合并为一层(&amp;M)</source>
        <translation>&amp;Merge into One Layer</translation>
    </message>
    <message>
        <source>把选中的几个已定标图层合并为一层:各自按边界裁去图廓,拼成一个级别</source>
        <translation>Merge the selected calibrated layers into one: each is cut to its border and all are joined into one level</translation>
    </message>
    <message>
        <source>编辑边界(&amp;B)</source>
        <translation>Edit &amp;Border</translation>
    </message>
    <message>
        <source>在原图上显示图层的边界并拖动其各点;合并时只取边界以内</source>
        <translation>Show the layer&apos;s border on its source image and drag its points; merging keeps only what lies inside it</translation>
    </message>
    <message>
        <source>无法按此边界合并</source>
        <translation>Cannot merge with this border</translation>
    </message>
    <message>
        <source>移动边界点</source>
        <translation>Move Border Point</translation>
    </message>
    <message>
        <source>无法合并为一层</source>
        <translation>Cannot merge into one layer</translation>
    </message>
    <message>
        <source>合并为一层</source>
        <translation>Merge into One Layer</translation>
    </message>
    <message>
        <source>没有已输入位置的点可导出</source>
        <translation>No point with its position entered to export</translation>
    </message>
</context>
<context>
    <name>MapProject</name>
    <message>
        <source>cannot read the OziExplorer file %1: %2</source>
        <translation>cannot read the OziExplorer file %1: %2</translation>
    </message>
    <message>
        <source>cannot read the image %1: %2</source>
        <translation>cannot read the image %1: %2</translation>
    </message>
    <message>
        <source>a copy at %1 % of the %2 x %3 image would be empty</source>
        <translation>a copy at %1 % of the %2 x %3 image would be empty</translation>
    </message>
    <message>
        <source>a copy at %1 % is %2 x %3 pixels: with the whole image it is made from it needs %4 MiB, more than the memory limit of %5 MiB</source>
        <translation>a copy at %1 % is %2 x %3 pixels: with the whole image it is made from it needs %4 MiB, more than the memory limit of %5 MiB</translation>
    </message>
    <message>
        <source>a copy at %1 % would bring the two calibration points onto one pixel column or row</source>
        <translation>a copy at %1 % would bring the two calibration points onto one pixel column or row</translation>
    </message>
</context>
<context>
    <name>MapPropertiesDialog</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>请输入</source>
        <translation>Please enter a value</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>制图人:</source>
        <translation>Cartographer:</translation>
    </message>
    <message>
        <source>填充色:</source>
        <translation>Fill colour:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>地图名:</source>
        <translation>Map name:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>新建地图</source>
        <translation>New map</translation>
    </message>
    <message>
        <source>制图人</source>
        <translation>Cartographer</translation>
    </message>
    <message>
        <source>地图名</source>
        <translation>Map name</translation>
    </message>
    <message>
        <source>%1超过 %2 个字符(%3 个),文件只保存前 %2 个</source>
        <translation>%1 has %3 characters: the file keeps only the first %2</translation>
    </message>
    <message>
        <source>WFL到SMF:地图属性</source>
        <translation>WFL to SMF: map properties</translation>
    </message>
</context>
<context>
    <name>MosaicSourcesPanel</name>
    <message>
        <source>窗口中的控制点</source>
        <translation>Points placed in the window</translation>
    </message>
    <message>
        <source>两点定标</source>
        <translation>Two points</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>Whole image</translation>
    </message>
    <message>
        <source>%1 个点</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>合并图层的来源,后列的在上:</source>
        <translation>Sources of the merged layer, a later row on top:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>定标</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>边界</source>
        <translation>Border</translation>
    </message>
</context>
<context>
    <name>OziMap</name>
    <message>
        <source>the UTM zone of its reference points is not given</source>
        <translation>the UTM zone of its reference points is not given</translation>
    </message>
    <message>
        <source>its reference point at pixel (%1, %2) cannot be placed on its grid</source>
        <translation>its reference point at pixel (%1, %2) cannot be placed on its grid</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; is not one the program can read</source>
        <translation>its projection &apos;%1&apos; is not one the program can read</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; cannot be set up from the values of its Projection Setup line</source>
        <translation>its projection &apos;%1&apos; cannot be set up from the values of its Projection Setup line</translation>
    </message>
    <message>
        <source>its reference points do not fix the map: it needs two in different rows and columns, or three not on one line</source>
        <translation>its reference points do not fix the map: it needs two in different rows and columns, or three not on one line</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its Point lines is not one the program knows</source>
        <translation>the datum &apos;%1&apos; of its Point lines is not one the program knows</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its grid is not one the program knows (neither in OziExplorer&apos;s datum list nor in the datum table), so the map cannot be placed on it</source>
        <translation>the datum &apos;%1&apos; of its grid is not one the program knows (neither in OziExplorer&apos;s datum list nor in the datum table), so the map cannot be placed on it</translation>
    </message>
    <message>
        <source>its image %1 is in OziExplorer&apos;s own format (.%2), which the program does not read; convert it to PNG, JPEG or TIFF</source>
        <translation>its image %1 is in OziExplorer&apos;s own format (.%2), which the program does not read; convert it to PNG, JPEG or TIFF</translation>
    </message>
    <message>
        <source>an OziExplorer file takes at most %1 points; %2 were given</source>
        <translation>an OziExplorer file takes at most %1 points; %2 were given</translation>
    </message>
    <message>
        <source>point %1 is no pixel and position on WGS 84</source>
        <translation>point %1 is no pixel and position on WGS 84</translation>
    </message>
</context>
<context>
    <name>QgisPoints</name>
    <message>
        <source>the grid %1 is neither geographic nor projected</source>
        <translation>the grid %1 is neither geographic nor projected</translation>
    </message>
    <message>
        <source>the grid %1 cannot be written as WKT</source>
        <translation>the grid %1 cannot be written as WKT</translation>
    </message>
    <message>
        <source>EPSG:%1 is not a grid PROJ knows</source>
        <translation>EPSG:%1 is not a grid PROJ knows</translation>
    </message>
    <message>
        <source>the grid is neither WKT nor EPSG:N that PROJ reads</source>
        <translation>the grid is neither WKT nor EPSG:N that PROJ reads</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>no header &quot;mapX,mapY,...&quot; of a QGIS points file</source>
        <translation>no header &quot;mapX,mapY,...&quot; of a QGIS points file</translation>
    </message>
    <message>
        <source>more than %1 points</source>
        <translation>more than %1 points</translation>
    </message>
    <message>
        <source>%1 values; a point needs map x, map y, source x and source y</source>
        <translation>%1 values; a point needs map x, map y, source x and source y</translation>
    </message>
    <message>
        <source>value %1 is not a number</source>
        <translation>value %1 is not a number</translation>
    </message>
    <message>
        <source>enable is not 0 or 1</source>
        <translation>enable is not 0 or 1</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>the points file %1 is larger than 1 MiB</source>
        <translation>the points file %1 is larger than 1 MiB</translation>
    </message>
    <message>
        <source>the points file %1, %2</source>
        <translation>the points file %1, %2</translation>
    </message>
    <message>
        <source>PROJ cannot take the position (%1, %2) from %3 to %4</source>
        <translation>PROJ cannot take the position (%1, %2) from %3 to %4</translation>
    </message>
</context>
<context>
    <name>SmfFile</name>
    <message>
        <source>the file cannot be read</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>the file is too short for an SMF header (%1 of %2 bytes)</source>
        <translation>the file is too short for an SMF header (%1 of %2 bytes)</translation>
    </message>
    <message>
        <source>not an SMF file (magic number 0x%1, expected 0x%2)</source>
        <translation>not an SMF file (magic number 0x%1, expected 0x%2)</translation>
    </message>
    <message>
        <source>the header gives a negative count (%1 levels, %2 tiles)</source>
        <translation>the header gives a negative count (%1 levels, %2 tiles)</translation>
    </message>
    <message>
        <source>the file is truncated: %1 levels and %2 tiles need %3 bytes before the tile data, the file has %4</source>
        <translation>the file is truncated: %1 levels and %2 tiles need %3 bytes before the tile data, the file has %4</translation>
    </message>
    <message>
        <source>the header gives a negative tile size (%1 x %2)</source>
        <translation>the header gives a negative tile size (%1 x %2)</translation>
    </message>
    <message>
        <source>the level records cannot be read</source>
        <translation>the level records cannot be read</translation>
    </message>
    <message>
        <source>the tile index cannot be read</source>
        <translation>the tile index cannot be read</translation>
    </message>
    <message>
        <source>level %1: negative tile grid (%2 x %3)</source>
        <translation>level %1: negative tile grid (%2 x %3)</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is outside 1..%3 pixels</source>
        <translation>the tile size %1 x %2 is outside 1..%3 pixels</translation>
    </message>
    <message>
        <source>level %1: tiles %2 to %3 lie outside the tile index of %4 entries</source>
        <translation>level %1: tiles %2 to %3 lie outside the tile index of %4 entries</translation>
    </message>
    <message>
        <source>level %1: the level is wider or taller than 2,147,483,647 pixels</source>
        <translation>level %1: the level is wider or taller than 2,147,483,647 pixels</translation>
    </message>
    <message>
        <source>tile index entry %1 (offset %2, size %3) points outside the tile data (bytes %4 to %5)</source>
        <translation>tile index entry %1 (offset %2, size %3) points outside the tile data (bytes %4 to %5)</translation>
    </message>
    <message>
        <source>the file has no level %1 (levels 0 to %2)</source>
        <translation>the file has no level %1 (levels 0 to %2)</translation>
    </message>
    <message>
        <source>level %1 has no tiles</source>
        <translation>level %1 has no tiles</translation>
    </message>
    <message>
        <source>level %1 claims %2 x %3 pixels, more than its %4 bytes of tile data can hold</source>
        <translation>level %1 claims %2 x %3 pixels, more than its %4 bytes of tile data can hold</translation>
    </message>
    <message>
        <source>not enough memory for a %1 x %2 image</source>
        <translation>not enough memory for a %1 x %2 image</translation>
    </message>
    <message>
        <source>tile (%1, %2) of level %3 cannot be read: %4</source>
        <translation>tile (%1, %2) of level %3 cannot be read: %4</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>the file has %1 levels; at most 255 can be opened</source>
        <translation>the file has %1 levels; at most 255 can be opened</translation>
    </message>
    <message>
        <source>too many SMF files in one project</source>
        <translation>too many SMF files in one project</translation>
    </message>
    <message>
        <source>level %1 has more than 10,000 x 10,000 pixels</source>
        <translation>level %1 has more than 10,000 x 10,000 pixels</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>cannot read %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>the file would be larger than %1 bytes, the most an SMF file can describe</source>
        <translation>the file would be larger than %1 bytes, the most an SMF file can describe</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>cannot create %1: %2</translation>
    </message>
    <message>
        <source>the levels are incomplete</source>
        <translation>the levels are incomplete</translation>
    </message>
    <message>
        <source>the bottom-right pixel (%1, %2) is not right of and below the top-left pixel (%3, %4)</source>
        <translation>the bottom-right pixel (%1, %2) is not right of and below the top-left pixel (%3, %4)</translation>
    </message>
    <message>
        <source>the scale is not a 32-bit number</source>
        <translation>the scale is not a 32-bit number</translation>
    </message>
    <message>
        <source>not enough memory to encode a tile</source>
        <translation>not enough memory to encode a tile</translation>
    </message>
    <message>
        <source>the project has no file path</source>
        <translation>the project has no file path</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is not positive</source>
        <translation>the tile size %1 x %2 is not positive</translation>
    </message>
    <message>
        <source>the save was cancelled</source>
        <translation>the save was cancelled</translation>
    </message>
    <message>
        <source>the image %1 cannot be read</source>
        <translation>the image %1 cannot be read</translation>
    </message>
    <message>
        <source>the image %1 changed its size while saving</source>
        <translation>the image %1 changed its size while saving</translation>
    </message>
    <message>
        <source>damaged image %1: %2</source>
        <translation>damaged image %1: %2</translation>
    </message>
    <message>
        <source>the level&apos;s pixels are too large for its tiles: %1 × %2-pixel tiles of %3° × %4° pixels would reach beyond the ±596° of longitude and latitude that an SMF file can record</source>
        <translation>the level&apos;s pixels are too large for its tiles: %1 × %2-pixel tiles of %3° × %4° pixels would reach beyond the ±596° of longitude and latitude that an SMF file can record</translation>
    </message>
</context>
<context>
    <name>WflConversion</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be decoded as an image: %2</source>
        <translation>%1 cannot be decoded as an image: %2</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels; a tile may have at most %4 pixels a side</source>
        <translation>%1 is %2 x %3 pixels; a tile may have at most %4 pixels a side</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: larger than the first tile of the highest level</source>
        <translation>%1 is %2 x %3 pixels, the tiles are %4 x %5: larger than the first tile of the highest level</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last column may be narrower</source>
        <translation>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last column may be narrower</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last row may be shorter</source>
        <translation>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last row may be shorter</translation>
    </message>
    <message>
        <source>out of memory while encoding %1</source>
        <translation>out of memory while encoding %1</translation>
    </message>
    <message>
        <source>no tiles found in %1: it holds no sidecar (.wfl) files</source>
        <translation>no tiles found in %1: it holds no sidecar (.wfl) files</translation>
    </message>
    <message>
        <source>%1 tiles make a file larger than 2,147,483,647 bytes, the most an SMF file can describe</source>
        <translation>%1 tiles make a file larger than 2,147,483,647 bytes, the most an SMF file can describe</translation>
    </message>
    <message>
        <source>the conversion was cancelled</source>
        <translation>the conversion was cancelled</translation>
    </message>
    <message>
        <source>%1: line %2 holds no number; lines 5 to 8 must give the tile&apos;s edges in degrees</source>
        <translation>%1: line %2 holds no number; lines 5 to 8 must give the tile&apos;s edges in degrees</translation>
    </message>
    <message>
        <source>%1: line %2 is not a number (&quot;%3&quot;)</source>
        <translation>%1: line %2 is not a number (&quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the latitude limit of %4 degrees</source>
        <translation>%1: line %2 gives %3 degrees, beyond the latitude limit of %4 degrees</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the longitude limit of %4 degrees</source>
        <translation>%1: line %2 gives %3 degrees, beyond the longitude limit of %4 degrees</translation>
    </message>
    <message>
        <source>%1 has no image beside it (an image file named %2 with an image extension)</source>
        <translation>%1 has no image beside it (an image file named %2 with an image extension)</translation>
    </message>
    <message>
        <source>%1 has more than one image beside it: %2</source>
        <translation>%1 has more than one image beside it: %2</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>the folder %1 cannot be read</source>
        <translation>the folder %1 cannot be read</translation>
    </message>
    <message>
        <source>%1: the name does not give a level, column and row (such as 15_3x4.wfl, or 15 (2)_3x4.wfl for part 2)</source>
        <translation>%1: the name does not give a level, column and row (such as 15_3x4.wfl, or 15 (2)_3x4.wfl for part 2)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, part %4, column %5, row %6)</source>
        <translation>%1 and %2 are the same tile (level %3, part %4, column %5, row %6)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, column %4, row %5)</source>
        <translation>%1 and %2 are the same tile (level %3, column %4, row %5)</translation>
    </message>
    <message>
        <source>level %1, part %2 has no tile in column 0, row 0 (a sidecar named like &quot;%1 (%2)_0x0.wfl&quot;)</source>
        <translation>level %1, part %2 has no tile in column 0, row 0 (a sidecar named like &quot;%1 (%2)_0x0.wfl&quot;)</translation>
    </message>
    <message>
        <source>level %1 has no tile for column %2, row %3 of its grid of %4 x %5 tiles</source>
        <translation>level %1 has no tile for column %2, row %3 of its grid of %4 x %5 tiles</translation>
    </message>
    <message>
        <source>%1 and %2 fall on the same place of level %3 (column %4, row %5)</source>
        <translation>%1 and %2 fall on the same place of level %3 (column %4, row %5)</translation>
    </message>
    <message>
        <source>level %1 mixes plain tiles and numbered parts (%2 and %3)</source>
        <translation>level %1 mixes plain tiles and numbered parts (%2 and %3)</translation>
    </message>
</context>
</TS>
