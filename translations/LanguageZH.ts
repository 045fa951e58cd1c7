<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>关
于</source>
        <translation>Mapvane\n把栅格地图转换为带地理坐标的分块SMF地图文件。</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>版本 %1</translation>
    </message>
</context>
<context>
    <name>CalibrationForm</name>
    <message>
        <source>横坐标</source>
        <translation>横坐标</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>经度</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>纵坐标</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>纬度</translation>
    </message>
    <message>
        <source>最大宽度为</source>
        <translation>最大宽度为</translation>
    </message>
    <message>
        <source>最大高度为</source>
        <translation>最大高度为</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>左上</translation>
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
        <translation>右下</translation>
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
        <translation>%1: %2 未输入</translation>
    </message>
    <message>
        <source>%1: %2 输入无效或超出范围</source>
        <translation>%1: %2 输入无效或超出范围</translation>
    </message>
    <message>
        <source>%1: %2 须大于 %3</source>
        <translation>%1: %2 须大于 %3</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>手动定标</translation>
    </message>
    <message>
        <source>世界文件</source>
        <translation>世界文件</translation>
    </message>
    <message>
        <source>OziExplorer 文件</source>
        <translation>OziExplorer 文件</translation>
    </message>
    <message>
        <source>地面控制点</source>
        <translation>地面控制点</translation>
    </message>
    <message>
        <source>%1(%2)</source>
        <comment>grid (datum)</comment>
        <translation>%1(%2)</translation>
    </message>
    <message>
        <source>来自 %1:%2,已重投影</source>
        <translation>来自 %1:%2,已重投影</translation>
    </message>
    <message>
        <source>来自 %1:%2,原样使用</source>
        <translation>来自 %1:%2,原样使用</translation>
    </message>
    <message>
        <source>度</source>
        <translation>度</translation>
    </message>
    <message>
        <source>分</source>
        <translation>分</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>UTM 区号</source>
        <translation>UTM 区号</translation>
    </message>
    <message>
        <source>UTM 纬度带</source>
        <translation>UTM 纬度带</translation>
    </message>
    <message>
        <source>%1:超出 %2 的范围,只读显示</source>
        <translation>%1:超出 %2 的范围,只读显示</translation>
    </message>
    <message>
        <source>%1: 未输入</source>
        <translation>%1: 未输入</translation>
    </message>
    <message>
        <source>%1: 数字不完整</source>
        <translation>%1: 数字不完整</translation>
    </message>
    <message>
        <source>%1: 不是数字</source>
        <translation>%1: 不是数字</translation>
    </message>
    <message>
        <source>%1: 须为整数</source>
        <translation>%1: 须为整数</translation>
    </message>
    <message>
        <source>%1: 超出范围%2</source>
        <translation>%1: 超出范围%2</translation>
    </message>
    <message>
        <source>由 %1 个图层合并而成,来源见控制点窗口</source>
        <translation>由 %1 个图层合并而成,来源见控制点窗口</translation>
    </message>
</context>
<context>
    <name>ControlPointsFit</name>
    <message>
        <source>这些点在一条直线上,无法拟合</source>
        <translation>这些点在一条直线上,无法拟合</translation>
    </message>
    <message>
        <source>薄板样条最多 %1 个点</source>
        <translation>薄板样条最多 %1 个点</translation>
    </message>
    <message>
        <source>无法拟合这些点</source>
        <translation>无法拟合这些点</translation>
    </message>
    <message>
        <source>二次多项式</source>
        <translation>二次多项式</translation>
    </message>
    <message>
        <source>薄板样条</source>
        <translation>薄板样条</translation>
    </message>
    <message>
        <source>仿射</source>
        <translation>仿射</translation>
    </message>
    <message>
        <source>仿射和薄板样条至少需要 %1 个点,二次多项式至少需要 %2 个点;薄板样条经过每个点。</source>
        <translation>仿射和薄板样条至少需要 %1 个点,二次多项式至少需要 %2 个点;薄板样条经过每个点。</translation>
    </message>
    <message>
        <source>需要至少 %1 个启用且已输入位置的点,现有 %2 个</source>
        <translation>需要至少 %1 个启用且已输入位置的点,现有 %2 个</translation>
    </message>
</context>
<context>
    <name>ControlPointsPanel</name>
    <message>
        <source>更改变换</source>
        <translation>更改变换</translation>
    </message>
    <message>
        <source>变换:</source>
        <translation>变换:</translation>
    </message>
    <message>
        <source>添加点</source>
        <translation>添加点</translation>
    </message>
    <message>
        <source>删除点</source>
        <translation>删除点</translation>
    </message>
    <message>
        <source>显示结果</source>
        <translation>显示结果</translation>
    </message>
    <message>
        <source>在地图上显示校正后的图层</source>
        <translation>在地图上显示校正后的图层</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>改回两点定标</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>按多点定标</translation>
    </message>
    <message>
        <source>号</source>
        <translation>号</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>横坐标</source>
        <translation>横坐标</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>经度</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>纵坐标</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>纬度</translation>
    </message>
    <message>
        <source>残差(像素)</source>
        <translation>残差(像素)</translation>
    </message>
    <message>
        <source>残差(米)</source>
        <translation>残差(米)</translation>
    </message>
    <message>
        <source>按多点定标:任意多个点,可选变换,显示残差</source>
        <translation>按多点定标:任意多个点,可选变换,显示残差</translation>
    </message>
    <message>
        <source>均方根误差:%1 像素,%2 米</source>
        <translation>均方根误差:%1 像素,%2 米</translation>
    </message>
    <message>
        <source>未拟合:%1</source>
        <translation>未拟合:%1</translation>
    </message>
    <message>
        <source>启用控制点</source>
        <translation>启用控制点</translation>
    </message>
    <message>
        <source>停用控制点</source>
        <translation>停用控制点</translation>
    </message>
    <message>
        <source>删除控制点</source>
        <translation>删除控制点</translation>
    </message>
    <message>
        <source>像素须在 0 到 %1 之间</source>
        <translation>像素须在 0 到 %1 之间</translation>
    </message>
    <message>
        <source>输入控制点</source>
        <translation>输入控制点</translation>
    </message>
    <message>
        <source>请再输入横坐标</source>
        <translation>请再输入横坐标</translation>
    </message>
    <message>
        <source>请再输入纵坐标</source>
        <translation>请再输入纵坐标</translation>
    </message>
    <message>
        <source>导入点…</source>
        <translation>导入点…</translation>
    </message>
    <message>
        <source>用 QGIS 的 .points 文件或 OziExplorer 的 .map 文件中的点替换这些点</source>
        <translation>用 QGIS 的 .points 文件或 OziExplorer 的 .map 文件中的点替换这些点</translation>
    </message>
    <message>
        <source>导出点…</source>
        <translation>导出点…</translation>
    </message>
    <message>
        <source>把这些点写入 QGIS 的 .points 文件或 OziExplorer 的 .map 文件</source>
        <translation>把这些点写入 QGIS 的 .points 文件或 OziExplorer 的 .map 文件</translation>
    </message>
    <message>
        <source>坐标系 EPSG:</source>
        <translation>坐标系 EPSG:</translation>
    </message>
    <message>
        <source>无</source>
        <translation>无</translation>
    </message>
    <message>
        <source>图上所印坐标网的 EPSG 代码(如 UTM 33N 为 32633):点的位置按该坐标系的横坐标和纵坐标输入,并在该坐标系上拟合。留空则按窗口的表示法和基准输入经纬度。</source>
        <translation>图上所印坐标网的 EPSG 代码(如 UTM 33N 为 32633):点的位置按该坐标系的横坐标和纵坐标输入,并在该坐标系上拟合。留空则按窗口的表示法和基准输入经纬度。</translation>
    </message>
    <message>
        <source>已输入的位置:</source>
        <translation>已输入的位置:</translation>
    </message>
    <message>
        <source>把以前输入的位置(本图层和其他图层的点)用作当前点的位置</source>
        <translation>把以前输入的位置(本图层和其他图层的点)用作当前点的位置</translation>
    </message>
    <message>
        <source>在地图上单击添加控制点,然后在表中输入其位置或从已输入的位置中选取</source>
        <translation>在地图上单击添加控制点,然后在表中输入其位置或从已输入的位置中选取</translation>
    </message>
    <message>
        <source>经纬度:按窗口的表示法和基准</source>
        <translation>经纬度:按窗口的表示法和基准</translation>
    </message>
    <message>
        <source>更改点的坐标系</source>
        <translation>更改点的坐标系</translation>
    </message>
    <message>
        <source>点 %1:%2, %3</source>
        <translation>点 %1:%2, %3</translation>
    </message>
    <message>
        <source>%1 的点 %2:%3, %4</source>
        <translation>%1 的点 %2:%3, %4</translation>
    </message>
    <message>
        <source>(还没有)</source>
        <translation>(还没有)</translation>
    </message>
    <message>
        <source>选取…</source>
        <translation>选取…</translation>
    </message>
    <message>
        <source>请先在表中选择一个点</source>
        <translation>请先在表中选择一个点</translation>
    </message>
    <message>
        <source>选取控制点位置</source>
        <translation>选取控制点位置</translation>
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
        <translation>无法读取 %1:%2</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 不是普通文件</translation>
    </message>
    <message>
        <source>the output %1 is a folder</source>
        <translation>输出 %1 是一个文件夹</translation>
    </message>
    <message>
        <source>the output %1 is not a regular file (a device, a pipe or a socket), which is never replaced</source>
        <translation>输出 %1 不是普通文件(设备、管道或套接字),不会被替换</translation>
    </message>
    <message>
        <source>the output %1 is the input %2</source>
        <translation>输出 %1 就是输入 %2</translation>
    </message>
</context>
<context>
    <name>GeoRaster</name>
    <message>
        <source>the grid %1 cannot be transformed to WGS 84: %2</source>
        <translation>无法把坐标网格 %1 转换到 WGS 84:%2</translation>
    </message>
    <message>
        <source>the ground control points cannot be fitted: %1</source>
        <translation>无法拟合地面控制点:%1</translation>
    </message>
    <message>
        <source>the corners of the raster cannot be transformed to WGS 84 from %1</source>
        <translation>无法把栅格的四角从 %1 转换到 WGS 84</translation>
    </message>
    <message>
        <source>the raster&apos;s grid cannot be read</source>
        <translation>无法读取栅格的坐标网格</translation>
    </message>
    <message>
        <source>%1 ground control points given; this transform needs at least %2</source>
        <translation>只给出了 %1 个地面控制点;此变换至少需要 %2 个</translation>
    </message>
    <message>
        <source>%1 has a world file but no grid: a .prj file beside it must name its projection and datum</source>
        <translation>%1 有世界文件但没有坐标网格:旁边须有注明投影和基准面的 .prj 文件</translation>
    </message>
    <message>
        <source>the grid in %1 cannot be read</source>
        <translation>无法读取 %1 中的坐标网格</translation>
    </message>
    <message>
        <source>the raster cannot be read</source>
        <translation>无法读取栅格</translation>
    </message>
    <message>
        <source>the raster cannot be warped</source>
        <translation>无法对栅格进行重投影</translation>
    </message>
    <message>
        <source>the raster crosses the 180th meridian, which a level cannot span</source>
        <translation>栅格跨越了 180° 经线,一个层级无法跨越它</translation>
    </message>
    <message>
        <source>%1 has a geotransform but names no grid</source>
        <translation>%1 有地理变换参数,但没有注明坐标网格</translation>
    </message>
    <message>
        <source>not a raster the program reads (GeoTIFF or TIFF, PNG, JPEG, BMP or GIF)</source>
        <translation>不是本程序能读的栅格(GeoTIFF 或 TIFF、PNG、JPEG、BMP、GIF)</translation>
    </message>
    <message>
        <source>the raster&apos;s footprint on WGS 84 has no size</source>
        <translation>栅格在 WGS 84 上的范围没有大小</translation>
    </message>
    <message>
        <source>the level would be too large: %1</source>
        <translation>层级会过大:%1</translation>
    </message>
    <message>
        <source>the level would be %1 × %2 pixels, more than eight times the raster&apos;s own: its grid or points do not describe a map of this image</source>
        <translation>层级会有 %1 × %2 像素,超过栅格本身的八倍:其坐标网格或地面控制点描述的不是这幅图片的地图</translation>
    </message>
    <message>
        <source>a thin-plate spline takes at most %1 points; %2 were given</source>
        <translation>薄板样条最多用 %1 个点;给出了 %2 个</translation>
    </message>
    <message>
        <source>the points lie outside the image (%1 × %2 pixels)</source>
        <translation>地面控制点位于图片之外(图片 %1 × %2 像素)</translation>
    </message>
    <message>
        <source>the raster&apos;s pixel size is not a number</source>
        <translation>栅格的像素大小不是数字</translation>
    </message>
    <message>
        <source>the raster&apos;s pixels have no size</source>
        <translation>栅格的像素没有大小</translation>
    </message>
    <message>
        <source>the grid covers more than 360° of longitude (%1° to %2°)</source>
        <translation>坐标网格覆盖的经度超过 360°(%1° 至 %2°)</translation>
    </message>
    <message>
        <source>the grid reaches past a pole (latitudes %1° to %2°)</source>
        <translation>坐标网格越过了极点(纬度 %1° 至 %2°)</translation>
    </message>
    <message>
        <source>the raster is too large: %1</source>
        <translation>栅格过大:%1</translation>
    </message>
    <message>
        <source>the grid %1 names cannot be read: %2</source>
        <translation>无法读取 %1 所指定的坐标网格:%2</translation>
    </message>
    <message>
        <source>only rasters of 8- or 16-bit grey, RGB or palette colours (with or without alpha) can be read</source>
        <translation>只能读取 8 位或 16 位的灰度、RGB 或调色板栅格(可带透明通道)</translation>
    </message>
    <message>
        <source>the grid of the points cannot be read</source>
        <translation>无法读取这些点的坐标网格</translation>
    </message>
    <message>
        <source>the level of the sources has not been planned</source>
        <translation>尚未规划这些来源的层级</translation>
    </message>
    <message>
        <source>its map face cannot be placed on WGS 84: %1</source>
        <translation>无法将其图面定位到 WGS 84：%1</translation>
    </message>
    <message>
        <source>its border encloses no area (at least 3 and at most %1 points around the map face are needed)</source>
        <translation>其边框未围出任何区域（需要围绕图面的至少 3 个、至多 %1 个点）</translation>
    </message>
    <message>
        <source>a point of it does not transform</source>
        <translation>其中一个点无法转换</translation>
    </message>
    <message>
        <source>a point of it lies beyond the range of longitudes and latitudes</source>
        <translation>其中一个点超出经纬度范围</translation>
    </message>
    <message>
        <source>a level needs at least one source</source>
        <translation>一个层级至少需要一个来源</translation>
    </message>
    <message>
        <source>the sources lie on both sides of the 180th meridian (from %1° to %2° of longitude), which one level cannot span</source>
        <translation>这些来源位于 180° 经线两侧（经度 %1° 至 %2°），一个层级无法跨越</translation>
    </message>
    <message>
        <source>the map faces of the sources have no size on WGS 84</source>
        <translation>这些来源的图面在 WGS 84 上没有大小</translation>
    </message>
</context>
<context>
    <name>GridPosition</name>
    <message>
        <source>the %1 %2 is not a number of metres</source>
        <translation>%1 %2 不是以米为单位的数值</translation>
    </message>
    <message>
        <source>the %1 %2 is outside %3 to %4 metres</source>
        <translation>%1 %2 超出 %3 至 %4 米的范围</translation>
    </message>
    <message>
        <source>the UTM easting text %1 is not &quot;zone band easting&quot; (e.g. &quot;49 Q 757196&quot;)</source>
        <translation>UTM横坐标文本 %1 不符合&quot;带号 纬度带 横坐标&quot;的格式(例如&quot;49 Q 757196&quot;)</translation>
    </message>
    <message>
        <source>the UTM zone %1 is outside %2 to %3</source>
        <translation>UTM带号 %1 超出 %2 至 %3 的范围</translation>
    </message>
    <message>
        <source>the UTM band %1 is not a letter C to X (without I and O)</source>
        <translation>UTM纬度带 %1 不是 C 至 X 之间的字母(不含 I 和 O)</translation>
    </message>
    <message>
        <source>UTM easting</source>
        <translation>UTM横坐标</translation>
    </message>
    <message>
        <source>UTM northing</source>
        <translation>UTM纵坐标</translation>
    </message>
    <message>
        <source>the grid position lies beyond the pole</source>
        <translation>该网格坐标位于极点之外</translation>
    </message>
    <message>
        <source>not a grid notation</source>
        <translation>不是网格坐标格式</translation>
    </message>
    <message>
        <source>TM easting</source>
        <translation>TM横坐标</translation>
    </message>
    <message>
        <source>TM northing</source>
        <translation>TM纵坐标</translation>
    </message>
</context>
<context>
    <name>HintedIntValidator</name>
    <message>
        <source>输入无效或超出范围</source>
        <translation>输入无效或超出范围</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>the image is %1 x %2 pixels and needs %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>图片为 %1 x %2 像素,需要 %3 MiB 内存,超过了 %4 MiB 的内存上限</translation>
    </message>
    <message>
        <source>no rows are left to read</source>
        <translation>没有剩余的行可读取</translation>
    </message>
    <message>
        <source>damaged image data (%1)</source>
        <translation>图片数据已损坏(%1)</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels and needs up to %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>图片为 %1 x %2 像素,最多需要 %3 MiB 内存,超过了 %4 MiB 的内存上限</translation>
    </message>
    <message>
        <source>damaged image data (its size differs from its header)</source>
        <translation>图片数据已损坏(尺寸与文件头不符)</translation>
    </message>
    <message>
        <source>unsupported image format</source>
        <translation>不支持的图片格式</translation>
    </message>
    <message>
        <source>damaged image data (the file ends at byte %1; its header needs %2 bytes of pixel data up to byte %3)</source>
        <translation>图片数据已损坏(文件在第 %1 字节处结束;文件头要求 %2 字节的像素数据,直到第 %3 字节)</translation>
    </message>
    <message>
        <source>premature end of data</source>
        <translation>数据提前结束</translation>
    </message>
    <message>
        <source>the interlaced image needs %1 MiB, more than the memory limit of %2 MiB</source>
        <translation>隔行扫描的图片需要 %1 MiB 内存,超过了 %2 MiB 的内存上限</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s colour masks are not separate runs of bits)</source>
        <translation>图片数据已损坏(BMP 的颜色掩码不是互不重叠的连续位)</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s size is %1 x %2)</source>
        <translation>图片数据已损坏(BMP 的尺寸为 %1 x %2)</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 像素</translation>
    </message>
    <message>
        <source>%1; at most %2 a side</source>
        <translation>%1;每边最多 %2</translation>
    </message>
    <message>
        <source>%1; at most %2 megapixels</source>
        <translation>%1;最多 %2 百万像素</translation>
    </message>
    <message>
        <source>the image is too large: %1</source>
        <translation>图片过大:%1</translation>
    </message>
</context>
<context>
    <name>LayerImport</name>
    <message>
        <source>the top-left pixel (%1, %2)</source>
        <translation>左上像素 (%1, %2)</translation>
    </message>
    <message>
        <source>the bottom-right pixel (%1, %2)</source>
        <translation>右下像素 (%1, %2)</translation>
    </message>
    <message>
        <source>%1 lies beyond the %2 x %3 image and is moved to its edge</source>
        <translation>%1 超出 %2 x %3 的图片,已移到图片边缘</translation>
    </message>
    <message>
        <source>%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)</source>
        <translation>%1 位于 %2 x %3 的图片之外(x 为 0 到 %2,y 为 0 到 %3)</translation>
    </message>
    <message>
        <source>1 reference point</source>
        <translation>1 个参考点</translation>
    </message>
    <message>
        <source>%1 reference points</source>
        <translation>%1 个参考点</translation>
    </message>
    <message>
        <source>the MMPXY/MMPLL block (WGS 84)</source>
        <translation>MMPXY/MMPLL 段(WGS 84)</translation>
    </message>
    <message>
        <source>the Point lines (datum %1)</source>
        <translation>Point 行(基准面 %1)</translation>
    </message>
    <message>
        <source>calibrated by %1 from %2</source>
        <translation>由%2中的 %1 定标</translation>
    </message>
    <message>
        <source>misses its reference points by up to %1 px (%2 m)</source>
        <translation>与其参考点最多相差 %1 像素(%2 米)</translation>
    </message>
    <message>
        <source>%1 (ground control points on %2)</source>
        <translation>%1(地面控制点在 %2 上)</translation>
    </message>
    <message>
        <source>needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values (X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %1</source>
        <translation>需要 4 个值(LON1,LAT1,LON2,LAT2)或 8 个值(X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2),而不是 %1 个</translation>
    </message>
    <message>
        <source>has a value that is not a whole pixel or a number of degrees</source>
        <translation>有一个值既不是整数像素也不是度数</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, taken as it is</source>
        <translation>由其%1在 %2 上地理配准,原样使用</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, warped to %3 x %4 pixels on WGS 84</source>
        <translation>由其%1在 %2 上地理配准,已重投影为 WGS 84 上的 %3 x %4 像素</translation>
    </message>
    <message>
        <source>the points file %1 names its own grid, %2; no other can be given for it</source>
        <translation>点文件 %1 已指定自己的坐标网格 %2;不能再为它指定其他网格</translation>
    </message>
    <message>
        <source>points on the grid %1 cannot also be on the datum %2</source>
        <translation>坐标网格 %1 上的点不能同时位于基准面 %2 上</translation>
    </message>
    <message>
        <source>point %1 is not a longitude and latitude in degrees (%2, %3); points on a projected grid need its EPSG code</source>
        <translation>第 %1 个点不是以度为单位的经纬度 (%2, %3);投影坐标网格上的点需要给出该网格的 EPSG 代码</translation>
    </message>
</context>
<context>
    <name>LayerMosaic</name>
    <message>
        <source>a level read from an SMF file cannot be merged</source>
        <translation>从 SMF 文件读取的层级不能合并</translation>
    </message>
    <message>
        <source>a copy at another scale cannot be merged; merge the layer it was made from</source>
        <translation>其他比例的副本不能合并；请合并其来源图层</translation>
    </message>
    <message>
        <source>it is not calibrated</source>
        <translation>它尚未定标</translation>
    </message>
    <message>
        <source>its image %1 cannot be read</source>
        <translation>无法读取其图像 %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图层</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>层</source>
        <translation>层</translation>
    </message>
    <message>
        <source>比例尺(像素:毫秒)</source>
        <translation>比例尺(像素:毫秒)</translation>
    </message>
    <message>
        <source>定标点</source>
        <translation>定标点</translation>
    </message>
    <message>
        <source>度</source>
        <translation>度</translation>
    </message>
    <message>
        <source>度分</source>
        <translation>度分</translation>
    </message>
    <message>
        <source>度分秒</source>
        <translation>度分秒</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>保存失败</translation>
    </message>
    <message>
        <source>请重新运行本程序以使语言切换生效.</source>
        <translation>请重新运行本程序以使语言切换生效.</translation>
    </message>
    <message>
        <source>正在保存...</source>
        <translation>正在保存...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>输入数据无效或不完整</source>
        <translation>输入数据无效或不完整</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>此操作将会关闭先前文件,是否保存?</source>
        <translation>此操作将会关闭先前文件,是否保存?</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>加载失败</source>
        <translation>加载失败</translation>
    </message>
    <message>
        <source>层</source>
        <comment>layer row name</comment>
        <translation>层</translation>
    </message>
    <message>
        <source>无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示</source>
        <translation>无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示</translation>
    </message>
    <message>
        <source>无法读取SMF文件</source>
        <translation>无法读取SMF文件</translation>
    </message>
    <message>
        <source>转换失败</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>图层(&amp;L)</source>
        <translation>图层(&amp;L)</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>属性(&amp;P)</source>
        <translation>属性(&amp;P)</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>增加(&amp;A)</source>
        <translation>增加(&amp;A)</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>定标点(&amp;P)</source>
        <translation>定标点(&amp;P)</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>WFL到SMF(&amp;W)</source>
        <translation>WFL到SMF(&amp;W)</translation>
    </message>
    <message>
        <source>浏览SMF(&amp;B)</source>
        <translation>浏览SMF(&amp;B)</translation>
    </message>
    <message>
        <source>最近的文件(&amp;R)</source>
        <translation>最近的文件(&amp;R)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
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
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>放大(&amp;I)</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Ctrl++</source>
        <translation>Ctrl++</translation>
    </message>
    <message>
        <source>缩小(&amp;O)</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>适合窗口(&amp;F)</source>
        <translation>适合窗口(&amp;F)</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>实际大小(&amp;1)</source>
        <translation>实际大小(&amp;1)</translation>
    </message>
    <message>
        <source>Ctrl+1</source>
        <translation>Ctrl+1</translation>
    </message>
    <message>
        <source>请输入缩放比例(%)</source>
        <translation>请输入缩放比例(%)</translation>
    </message>
    <message>
        <source>所有支持的文件</source>
        <translation>所有支持的文件</translation>
    </message>
    <message>
        <source>修改定标点</source>
        <translation>修改定标点</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>无法加载 %1</source>
        <translation>无法加载 %1</translation>
    </message>
    <message>
        <source>增加图层</source>
        <translation>增加图层</translation>
    </message>
    <message>
        <source>复制图层</source>
        <translation>复制图层</translation>
    </message>
    <message>
        <source>自动复制图层</source>
        <translation>自动复制图层</translation>
    </message>
    <message>
        <source>删除图层</source>
        <translation>删除图层</translation>
    </message>
    <message>
        <source>排序图层</source>
        <translation>排序图层</translation>
    </message>
    <message>
        <source>无法手动定标</source>
        <translation>无法手动定标</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>手动定标</translation>
    </message>
    <message>
        <source>语言(&amp;G)</source>
        <translation>语言(&amp;G)</translation>
    </message>
    <message>
        <source>英语(&amp;E)</source>
        <translation>英语(&amp;E)</translation>
    </message>
    <message>
        <source>简体(&amp;S)</source>
        <translation>简体(&amp;S)</translation>
    </message>
    <message>
        <source>繁体(&amp;T)</source>
        <translation>繁体(&amp;T)</translation>
    </message>
    <message>
        <source>自动(&amp;U)</source>
        <translation>自动(&amp;U)</translation>
    </message>
    <message>
        <source>缩放 %1%</source>
        <translation>缩放 %1%</translation>
    </message>
    <message>
        <source>超过 10,000 x 10,000 像素,无法编辑:%1。这个文件将以只读方式在浏览窗口中打开。</source>
        <translation>超过 10,000 x 10,000 像素,无法编辑:%1。这个文件将以只读方式在浏览窗口中打开。</translation>
    </message>
    <message>
        <source>已保存 %1:%2,%3,%4</source>
        <translation>已保存 %1:%2,%3,%4</translation>
    </message>
    <message numerus="yes">
        <source>%n 层</source>
        <translation>
            <numerusform>%n 层</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个图块</source>
        <translation>
            <numerusform>%n 个图块</numerusform>
        </translation>
    </message>
    <message>
        <source>项目中没有图层,无法保存</source>
        <translation>项目中没有图层,无法保存</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>浏览SMF文件</source>
        <translation>浏览SMF文件</translation>
    </message>
    <message>
        <source>选择WFL文件夹</source>
        <translation>选择WFL文件夹</translation>
    </message>
    <message>
        <source>保存SMF文件</source>
        <translation>保存SMF文件</translation>
    </message>
    <message>
        <source>清除列表(&amp;C)</source>
        <translation>清除列表(&amp;C)</translation>
    </message>
    <message>
        <source>增加图层</source>
        <comment>dialog title</comment>
        <translation>增加图层</translation>
    </message>
    <message>
        <source>复制图层</source>
        <comment>dialog title</comment>
        <translation>复制图层</translation>
    </message>
    <message>
        <source>%1 已作为未定标的图像加入</source>
        <translation>%1 已作为未定标的图像加入</translation>
    </message>
    <message>
        <source>控制点</source>
        <translation>控制点</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>按多点定标</translation>
    </message>
    <message>
        <source>添加控制点</source>
        <translation>添加控制点</translation>
    </message>
    <message>
        <source>移动控制点</source>
        <translation>移动控制点</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>改回两点定标</translation>
    </message>
    <message>
        <source>%1: 控制点未拟合</source>
        <comment>layer name</comment>
        <translation>%1: 控制点未拟合</translation>
    </message>
    <message>
        <source>控制点(&amp;C)</source>
        <translation>控制点(&amp;C)</translation>
    </message>
    <message>
        <source>%1 中没有控制点</source>
        <translation>%1 中没有控制点</translation>
    </message>
    <message>
        <source>导入点</source>
        <translation>导入点</translation>
    </message>
    <message>
        <source>无法导入点</source>
        <translation>无法导入点</translation>
    </message>
    <message>
        <source>第 %1 点的像素 (%2, %3) 不在 %4 × %5 的图像内</source>
        <translation>第 %1 点的像素 (%2, %3) 不在 %4 × %5 的图像内</translation>
    </message>
    <message>
        <source>导入控制点</source>
        <translation>导入控制点</translation>
    </message>
    <message>
        <source>导出点</source>
        <translation>导出点</translation>
    </message>
    <message>
        <source>无法写出这些点</source>
        <translation>无法写出这些点</translation>
    </message>
    <message>
        <source>无法导出点</source>
        <translation>无法导出点</translation>
    </message>
    <message>
        <source>QGIS 控制点 (*.points *.POINTS);;OziExplorer 地图 (*.map *.MAP)</source>
        <translation>QGIS 控制点 (*.points *.POINTS);;OziExplorer 地图 (*.map *.MAP)</translation>
    </message>
    <message>
        <source>%1 的点所在的坐标系 %2 没有 EPSG 代码;只能导入有 EPSG 代码的坐标系上的点</source>
        <translation>%1 的点所在的坐标系 %2 没有 EPSG 代码;只能导入有 EPSG 代码的坐标系上的点</translation>
    </message>
    <message>
        <source>合并为一层(&amp;M)</source>
        <translation>合并为一层(&amp;M)</translation>
    </message>
    <message>
        <source>把选中的几个已定标图层合并为一层:各自按边界裁去图廓,拼成一个级别</source>
        <translation>把选中的几个已定标图层合并为一层:各自按边界裁去图廓,拼成一个级别</translation>
    </message>
    <message>
        <source>编辑边界(&amp;B)</source>
        <translation>编辑边界(&amp;B)</translation>
    </message>
    <message>
        <source>在原图上显示图层的边界并拖动其各点;合并时只取边界以内</source>
        <translation>在原图上显示图层的边界并拖动其各点;合并时只取边界以内</translation>
    </message>
    <message>
        <source>无法按此边界合并</source>
        <translation>无法按此边界合并</translation>
    </message>
    <message>
        <source>移动边界点</source>
        <translation>移动边界点</translation>
    </message>
    <message>
        <source>无法合并为一层</source>
        <translation>无法合并为一层</translation>
    </message>
    <message>
        <source>合并为一层</source>
        <translation>合并为一层</translation>
    </message>
    <message>
        <source>没有已输入位置的点可导出</source>
        <translation>没有已输入位置的点可导出</translation>
    </message>
</context>
<context>
    <name>MapProject</name>
    <message>
        <source>cannot read the OziExplorer file %1: %2</source>
        <translation>无法读取 OziExplorer 文件 %1: %2</translation>
    </message>
    <message>
        <source>cannot read the image %1: %2</source>
        <translation>无法读取图片 %1: %2</translation>
    </message>
    <message>
        <source>a copy at %1 % of the %2 x %3 image would be empty</source>
        <translation>%2 x %3 的图片按 %1 % 复制后为空</translation>
    </message>
    <message>
        <source>a copy at %1 % is %2 x %3 pixels: with the whole image it is made from it needs %4 MiB, more than the memory limit of %5 MiB</source>
        <translation>按 %1 % 复制的图片为 %2 x %3 像素: 连同其来源的整幅图片需要 %4 MiB,超过内存上限 %5 MiB</translation>
    </message>
    <message>
        <source>a copy at %1 % would bring the two calibration points onto one pixel column or row</source>
        <translation>按 %1 % 复制会使两个定标点落在同一像素列或行上</translation>
    </message>
</context>
<context>
    <name>MapPropertiesDialog</name>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>请输入</source>
        <translation>请输入</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>制图人:</source>
        <translation>制图人:</translation>
    </message>
    <message>
        <source>填充色:</source>
        <translation>填充色:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>地图名:</source>
        <translation>地图名:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>新建地图</source>
        <translation>新建地图</translation>
    </message>
    <message>
        <source>制图人</source>
        <translation>制图人</translation>
    </message>
    <message>
        <source>地图名</source>
        <translation>地图名</translation>
    </message>
    <message>
        <source>%1超过 %2 个字符(%3 个),文件只保存前 %2 个</source>
        <translation>%1超过 %2 个字符(%3 个),文件只保存前 %2 个</translation>
    </message>
    <message>
        <source>WFL到SMF:地图属性</source>
        <translation>WFL到SMF:地图属性</translation>
    </message>
</context>
<context>
    <name>MosaicSourcesPanel</name>
    <message>
        <source>窗口中的控制点</source>
        <translation>窗口中的控制点</translation>
    </message>
    <message>
        <source>两点定标</source>
        <translation>两点定标</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>整幅图像</translation>
    </message>
    <message>
        <source>%1 个点</source>
        <translation>%1 个点</translation>
    </message>
    <message>
        <source>合并图层的来源,后列的在上:</source>
        <translation>合并图层的来源,后列的在上:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>定标</source>
        <translation>定标</translation>
    </message>
    <message>
        <source>边界</source>
        <translation>边界</translation>
    </message>
</context>
<context>
    <name>OziMap</name>
    <message>
        <source>the UTM zone of its reference points is not given</source>
        <translation>文件中的参考点没有给出 UTM 分带</translation>
    </message>
    <message>
        <source>its reference point at pixel (%1, %2) cannot be placed on its grid</source>
        <translation>文件中位于像素 (%1, %2) 的参考点无法换算到其坐标网格上</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; is not one the program can read</source>
        <translation>文件的投影 &apos;%1&apos; 本程序无法读取</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; cannot be set up from the values of its Projection Setup line</source>
        <translation>无法用文件中 Projection Setup 行的参数建立投影 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>its reference points do not fix the map: it needs two in different rows and columns, or three not on one line</source>
        <translation>文件中的参考点不足以确定地图位置:需要两个既不同行也不同列的点,或三个不在同一直线上的点</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its Point lines is not one the program knows</source>
        <translation>其 Point 行的基准面“%1”不是本程序所知的</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its grid is not one the program knows (neither in OziExplorer&apos;s datum list nor in the datum table), so the map cannot be placed on it</source>
        <translation>其坐标网格的基准面“%1”不是本程序所知的(既不在 OziExplorer 的基准面列表中,也不在基准面表中),因此无法定位这幅地图</translation>
    </message>
    <message>
        <source>its image %1 is in OziExplorer&apos;s own format (.%2), which the program does not read; convert it to PNG, JPEG or TIFF</source>
        <translation>其图片 %1 是 OziExplorer 自有的格式(.%2),本程序不能读取;请先转换为 PNG、JPEG 或 TIFF</translation>
    </message>
    <message>
        <source>an OziExplorer file takes at most %1 points; %2 were given</source>
        <translation>OziExplorer 文件最多容纳 %1 个点;给出了 %2 个</translation>
    </message>
    <message>
        <source>point %1 is no pixel and position on WGS 84</source>
        <translation>第 %1 个点不是有效的像素和 WGS 84 位置</translation>
    </message>
</context>
<context>
    <name>QgisPoints</name>
    <message>
        <source>the grid %1 is neither geographic nor projected</source>
        <translation>坐标网格 %1 既不是地理坐标系也不是投影坐标系</translation>
    </message>
    <message>
        <source>the grid %1 cannot be written as WKT</source>
        <translation>无法把坐标网格 %1 写成 WKT</translation>
    </message>
    <message>
        <source>EPSG:%1 is not a grid PROJ knows</source>
        <translation>EPSG:%1 不是 PROJ 认识的坐标网格</translation>
    </message>
    <message>
        <source>the grid is neither WKT nor EPSG:N that PROJ reads</source>
        <translation>坐标网格既不是 PROJ 能读取的 WKT,也不是 EPSG:N</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行:%2</translation>
    </message>
    <message>
        <source>no header &quot;mapX,mapY,...&quot; of a QGIS points file</source>
        <translation>缺少 QGIS 点文件的表头 &quot;mapX,mapY,...&quot;</translation>
    </message>
    <message>
        <source>more than %1 points</source>
        <translation>点数超过 %1 个</translation>
    </message>
    <message>
        <source>%1 values; a point needs map x, map y, source x and source y</source>
        <translation>只有 %1 个值;一个点需要地图 x、地图 y、源 x 和源 y</translation>
    </message>
    <message>
        <source>value %1 is not a number</source>
        <translation>第 %1 个值不是数字</translation>
    </message>
    <message>
        <source>enable is not 0 or 1</source>
        <translation>enable 不是 0 或 1</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1:%2</translation>
    </message>
    <message>
        <source>the points file %1 is larger than 1 MiB</source>
        <translation>点文件 %1 大于 1 MiB</translation>
    </message>
    <message>
        <source>the points file %1, %2</source>
        <translation>点文件 %1,%2</translation>
    </message>
    <message>
        <source>PROJ cannot take the position (%1, %2) from %3 to %4</source>
        <translation>PROJ 无法把位置 (%1, %2) 从 %3 转换到 %4</translation>
    </message>
</context>
<context>
    <name>SmfFile</name>
    <message>
        <source>the file cannot be read</source>
        <translation>无法读取该文件</translation>
    </message>
    <message>
        <source>the file is too short for an SMF header (%1 of %2 bytes)</source>
        <translation>文件太短,容不下SMF文件头(%1 / %2 字节)</translation>
    </message>
    <message>
        <source>not an SMF file (magic number 0x%1, expected 0x%2)</source>
        <translation>不是SMF文件(标识码为 0x%1,应为 0x%2)</translation>
    </message>
    <message>
        <source>the header gives a negative count (%1 levels, %2 tiles)</source>
        <translation>文件头给出了负数(%1 个层级,%2 个瓦片)</translation>
    </message>
    <message>
        <source>the file is truncated: %1 levels and %2 tiles need %3 bytes before the tile data, the file has %4</source>
        <translation>文件不完整: %1 个层级和 %2 个瓦片在瓦片数据之前需要 %3 字节,而文件只有 %4 字节</translation>
    </message>
    <message>
        <source>the header gives a negative tile size (%1 x %2)</source>
        <translation>文件头给出了负的瓦片尺寸(%1 x %2)</translation>
    </message>
    <message>
        <source>the level records cannot be read</source>
        <translation>无法读取层级记录</translation>
    </message>
    <message>
        <source>the tile index cannot be read</source>
        <translation>无法读取瓦片索引</translation>
    </message>
    <message>
        <source>level %1: negative tile grid (%2 x %3)</source>
        <translation>层级 %1: 瓦片网格为负(%2 x %3)</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is outside 1..%3 pixels</source>
        <translation>瓦片尺寸 %1 x %2 超出 1..%3 像素的范围</translation>
    </message>
    <message>
        <source>level %1: tiles %2 to %3 lie outside the tile index of %4 entries</source>
        <translation>层级 %1: 瓦片 %2 至 %3 超出了共 %4 项的瓦片索引</translation>
    </message>
    <message>
        <source>level %1: the level is wider or taller than 2,147,483,647 pixels</source>
        <translation>层级 %1: 该层级的宽度或高度超过 2,147,483,647 像素</translation>
    </message>
    <message>
        <source>tile index entry %1 (offset %2, size %3) points outside the tile data (bytes %4 to %5)</source>
        <translation>瓦片索引项 %1(偏移 %2,大小 %3)指向瓦片数据(第 %4 至 %5 字节)之外</translation>
    </message>
    <message>
        <source>the file has no level %1 (levels 0 to %2)</source>
        <translation>文件中没有层级 %1(层级为 0 至 %2)</translation>
    </message>
    <message>
        <source>level %1 has no tiles</source>
        <translation>层级 %1 没有瓦片</translation>
    </message>
    <message>
        <source>level %1 claims %2 x %3 pixels, more than its %4 bytes of tile data can hold</source>
        <translation>层级 %1 声称有 %2 x %3 像素,超出了其 %4 字节瓦片数据所能容纳的范围</translation>
    </message>
    <message>
        <source>not enough memory for a %1 x %2 image</source>
        <translation>内存不足,无法容纳 %1 x %2 的图片</translation>
    </message>
    <message>
        <source>tile (%1, %2) of level %3 cannot be read: %4</source>
        <translation>无法读取层级 %3 的瓦片(%1, %2): %4</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1: %2</translation>
    </message>
    <message>
        <source>the file has %1 levels; at most 255 can be opened</source>
        <translation>文件有 %1 个层级,最多只能打开 255 个</translation>
    </message>
    <message>
        <source>too many SMF files in one project</source>
        <translation>一个项目中的SMF文件太多</translation>
    </message>
    <message>
        <source>level %1 has more than 10,000 x 10,000 pixels</source>
        <translation>层级 %1 超过 10,000 x 10,000 像素</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>无法读取 %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1: %2</translation>
    </message>
    <message>
        <source>the file would be larger than %1 bytes, the most an SMF file can describe</source>
        <translation>文件将超过 %1 字节,即SMF文件所能描述的上限</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>无法创建 %1: %2</translation>
    </message>
    <message>
        <source>the levels are incomplete</source>
        <translation>层级不完整</translation>
    </message>
    <message>
        <source>the bottom-right pixel (%1, %2) is not right of and below the top-left pixel (%3, %4)</source>
        <translation>右下像素(%1, %2)不在左上像素(%3, %4)的右下方</translation>
    </message>
    <message>
        <source>the scale is not a 32-bit number</source>
        <translation>比例尺不是32位数</translation>
    </message>
    <message>
        <source>not enough memory to encode a tile</source>
        <translation>内存不足,无法编码瓦片</translation>
    </message>
    <message>
        <source>the project has no file path</source>
        <translation>项目没有文件路径</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is not positive</source>
        <translation>瓦片尺寸 %1 x %2 不是正数</translation>
    </message>
    <message>
        <source>the save was cancelled</source>
        <translation>保存已取消</translation>
    </message>
    <message>
        <source>the image %1 cannot be read</source>
        <translation>无法读取图片 %1</translation>
    </message>
    <message>
        <source>the image %1 changed its size while saving</source>
        <translation>图片 %1 在保存期间改变了尺寸</translation>
    </message>
    <message>
        <source>damaged image %1: %2</source>
        <translation>图片 %1 已损坏: %2</translation>
    </message>
    <message>
        <source>the level&apos;s pixels are too large for its tiles: %1 × %2-pixel tiles of %3° × %4° pixels would reach beyond the ±596° of longitude and latitude that an SMF file can record</source>
        <translation>层级的像素对其瓦片而言过大:%1 × %2 像素的瓦片、每像素 %3° × %4°,会超出 SMF 文件所能记录的经纬度 ±596°</translation>
    </message>
</context>
<context>
    <name>WflConversion</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be decoded as an image: %2</source>
        <translation>无法将 %1 解码为图片: %2</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels; a tile may have at most %4 pixels a side</source>
        <translation>%1 为 %2 x %3 像素,而瓦片每边最多 %4 像素</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: larger than the first tile of the highest level</source>
        <translation>%1 为 %2 x %3 像素,瓦片为 %4 x %5: 比最高层级的第一个瓦片还大</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last column may be narrower</source>
        <translation>%1 为 %2 x %3 像素,瓦片为 %4 x %5: 只有所在层级最后一列的瓦片可以更窄</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last row may be shorter</source>
        <translation>%1 为 %2 x %3 像素,瓦片为 %4 x %5: 只有所在层级最后一行的瓦片可以更矮</translation>
    </message>
    <message>
        <source>out of memory while encoding %1</source>
        <translation>编码 %1 时内存不足</translation>
    </message>
    <message>
        <source>no tiles found in %1: it holds no sidecar (.wfl) files</source>
        <translation>在 %1 中找不到瓦片: 其中没有附属(.wfl)文件</translation>
    </message>
    <message>
        <source>%1 tiles make a file larger than 2,147,483,647 bytes, the most an SMF file can describe</source>
        <translation>%1 个瓦片会使文件超过 2,147,483,647 字节,即SMF文件所能描述的上限</translation>
    </message>
    <message>
        <source>the conversion was cancelled</source>
        <translation>转换已取消</translation>
    </message>
    <message>
        <source>%1: line %2 holds no number; lines 5 to 8 must give the tile&apos;s edges in degrees</source>
        <translation>%1: 第 %2 行没有数值;第 5 至 8 行必须以度为单位给出瓦片的边界</translation>
    </message>
    <message>
        <source>%1: line %2 is not a number (&quot;%3&quot;)</source>
        <translation>%1: 第 %2 行不是数值(&quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the latitude limit of %4 degrees</source>
        <translation>%1: 第 %2 行给出 %3 度,超出了 %4 度的纬度上限</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the longitude limit of %4 degrees</source>
        <translation>%1: 第 %2 行给出 %3 度,超出了 %4 度的经度上限</translation>
    </message>
    <message>
        <source>%1 has no image beside it (an image file named %2 with an image extension)</source>
        <translation>%1 旁边没有图片(应有名为 %2、带图片扩展名的图片文件)</translation>
    </message>
    <message>
        <source>%1 has more than one image beside it: %2</source>
        <translation>%1 旁边有不止一个图片: %2</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>文件夹 %1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 不是文件夹</translation>
    </message>
    <message>
        <source>the folder %1 cannot be read</source>
        <translation>无法读取文件夹 %1</translation>
    </message>
    <message>
        <source>%1: the name does not give a level, column and row (such as 15_3x4.wfl, or 15 (2)_3x4.wfl for part 2)</source>
        <translation>%1: 文件名未给出层级、列和行(例如 15_3x4.wfl,或表示第 2 部分的 15 (2)_3x4.wfl)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, part %4, column %5, row %6)</source>
        <translation>%1 和 %2 是同一个瓦片(层级 %3,第 %4 部分,第 %5 列,第 %6 行)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, column %4, row %5)</source>
        <translation>%1 和 %2 是同一个瓦片(层级 %3,第 %4 列,第 %5 行)</translation>
    </message>
    <message>
        <source>level %1, part %2 has no tile in column 0, row 0 (a sidecar named like &quot;%1 (%2)_0x0.wfl&quot;)</source>
        <translation>层级 %1 的第 %2 部分在第 0 列、第 0 行没有瓦片(应有名为&quot;%1 (%2)_0x0.wfl&quot;的附属文件)</translation>
    </message>
    <message>
        <source>level %1 has no tile for column %2, row %3 of its grid of %4 x %5 tiles</source>
        <translation>层级 %1 在其 %4 x %5 瓦片网格的第 %2 列、第 %3 行没有瓦片</translation>
    </message>
    <message>
        <source>%1 and %2 fall on the same place of level %3 (column %4, row %5)</source>
        <translation>%1 和 %2 落在层级 %3 的同一位置(第 %4 列,第 %5 行)</translation>
    </message>
    <message>
        <source>level %1 mixes plain tiles and numbered parts (%2 and %3)</source>
        <translation>层级 %1 混用了普通瓦片和编号部分(%2 和 %3)</translation>
    </message>
</context>
</TS>
