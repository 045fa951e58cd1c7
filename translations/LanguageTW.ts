<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>关
于</source>
        <translation>Mapvane\n將點陣地圖轉換為帶地理座標的分塊SMF地圖檔案。</translation>
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
        <translation>橫座標</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>經度</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>縱座標</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>緯度</translation>
    </message>
    <message>
        <source>最大宽度为</source>
        <translation>最大寬度為</translation>
    </message>
    <message>
        <source>最大高度为</source>
        <translation>最大高度為</translation>
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
        <translation>%1: %2 未輸入</translation>
    </message>
    <message>
        <source>%1: %2 输入无效或超出范围</source>
        <translation>%1: %2 輸入無效或超出範圍</translation>
    </message>
    <message>
        <source>%1: %2 须大于 %3</source>
        <translation>%1: %2 須大於 %3</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>手動定標</translation>
    </message>
    <message>
        <source>世界文件</source>
        <translation>世界檔案</translation>
    </message>
    <message>
        <source>OziExplorer 文件</source>
        <translation>OziExplorer 檔案</translation>
    </message>
    <message>
        <source>地面控制点</source>
        <translation>地面控制點</translation>
    </message>
    <message>
        <source>%1(%2)</source>
        <comment>grid (datum)</comment>
        <translation>%1(%2)</translation>
    </message>
    <message>
        <source>来自 %1:%2,已重投影</source>
        <translation>來自 %1:%2,已重新投影</translation>
    </message>
    <message>
        <source>来自 %1:%2,原样使用</source>
        <translation>來自 %1:%2,原樣使用</translation>
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
        <translation>UTM 區號</translation>
    </message>
    <message>
        <source>UTM 纬度带</source>
        <translation>UTM 緯度帶</translation>
    </message>
    <message>
        <source>%1:超出 %2 的范围,只读显示</source>
        <translation>%1:超出 %2 的範圍,唯讀顯示</translation>
    </message>
    <message>
        <source>%1: 未输入</source>
        <translation>%1: 未輸入</translation>
    </message>
    <message>
        <source>%1: 数字不完整</source>
        <translation>%1: 數字不完整</translation>
    </message>
    <message>
        <source>%1: 不是数字</source>
        <translation>%1: 不是數字</translation>
    </message>
    <message>
        <source>%1: 须为整数</source>
        <translation>%1: 須為整數</translation>
    </message>
    <message>
        <source>%1: 超出范围%2</source>
        <translation>%1: 超出範圍%2</translation>
    </message>
    <message>
        <source>由 %1 个图层合并而成,来源见控制点窗口</source>
        <translation>由 %1 個圖層合併而成,來源見控制點視窗</translation>
    </message>
</context>
<context>
    <name>ControlPointsFit</name>
    <message>
        <source>这些点在一条直线上,无法拟合</source>
        <translation>這些點在一條直線上,無法擬合</translation>
    </message>
    <message>
        <source>薄板样条最多 %1 个点</source>
        <translation>薄板樣條最多 %1 個點</translation>
    </message>
    <message>
        <source>无法拟合这些点</source>
        <translation>無法擬合這些點</translation>
    </message>
    <message>
        <source>二次多项式</source>
        <translation>二次多項式</translation>
    </message>
    <message>
        <source>薄板样条</source>
        <translation>薄板樣條</translation>
    </message>
    <message>
        <source>仿射</source>
        <translation>仿射</translation>
    </message>
    <message>
        <source>仿射和薄板样条至少需要 %1 个点,二次多项式至少需要 %2 个点;薄板样条经过每个点。</source>
        <translation>仿射和薄板樣條至少需要 %1 個點,二次多項式至少需要 %2 個點;薄板樣條經過每個點。</translation>
    </message>
    <message>
        <source>需要至少 %1 个启用且已输入位置的点,现有 %2 个</source>
        <translation>需要至少 %1 個啟用且已輸入位置的點,現有 %2 個</translation>
    </message>
</context>
<context>
    <name>ControlPointsPanel</name>
    <message>
        <source>更改变换</source>
        <translation>更改變換</translation>
    </message>
    <message>
        <source>变换:</source>
        <translation>變換:</translation>
    </message>
    <message>
        <source>添加点</source>
        <translation>添加點</translation>
    </message>
    <message>
        <source>删除点</source>
        <translation>刪除點</translation>
    </message>
    <message>
        <source>显示结果</source>
        <translation>顯示結果</translation>
    </message>
    <message>
        <source>在地图上显示校正后的图层</source>
        <translation>在地圖上顯示校正後的圖層</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>改回兩點定標</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>按多點定標</translation>
    </message>
    <message>
        <source>号</source>
        <translation>號</translation>
    </message>
    <message>
        <source>启用</source>
        <translation>啟用</translation>
    </message>
    <message>
        <source>横坐标</source>
        <translation>橫坐標</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>經度</translation>
    </message>
    <message>
        <source>纵坐标</source>
        <translation>縱坐標</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>緯度</translation>
    </message>
    <message>
        <source>残差(像素)</source>
        <translation>殘差(像素)</translation>
    </message>
    <message>
        <source>残差(米)</source>
        <translation>殘差(米)</translation>
    </message>
    <message>
        <source>按多点定标:任意多个点,可选变换,显示残差</source>
        <translation>按多點定標:任意多個點,可選變換,顯示殘差</translation>
    </message>
    <message>
        <source>均方根误差:%1 像素,%2 米</source>
        <translation>均方根誤差:%1 像素,%2 米</translation>
    </message>
    <message>
        <source>未拟合:%1</source>
        <translation>未擬合:%1</translation>
    </message>
    <message>
        <source>启用控制点</source>
        <translation>啟用控制點</translation>
    </message>
    <message>
        <source>停用控制点</source>
        <translation>停用控制點</translation>
    </message>
    <message>
        <source>删除控制点</source>
        <translation>刪除控制點</translation>
    </message>
    <message>
        <source>像素须在 0 到 %1 之间</source>
        <translation>像素須在 0 到 %1 之間</translation>
    </message>
    <message>
        <source>输入控制点</source>
        <translation>輸入控制點</translation>
    </message>
    <message>
        <source>请再输入横坐标</source>
        <translation>請再輸入橫坐標</translation>
    </message>
    <message>
        <source>请再输入纵坐标</source>
        <translation>請再輸入縱坐標</translation>
    </message>
    <message>
        <source>导入点…</source>
        <translation>匯入點…</translation>
    </message>
    <message>
        <source>用 QGIS 的 .points 文件或 OziExplorer 的 .map 文件中的点替换这些点</source>
        <translation>用 QGIS 的 .points 檔案或 OziExplorer 的 .map 檔案中的點取代這些點</translation>
    </message>
    <message>
        <source>导出点…</source>
        <translation>匯出點…</translation>
    </message>
    <message>
        <source>把这些点写入 QGIS 的 .points 文件或 OziExplorer 的 .map 文件</source>
        <translation>把這些點寫入 QGIS 的 .points 檔案或 OziExplorer 的 .map 檔案</translation>
    </message>
    <message>
        <source>坐标系 EPSG:</source>
        <translation>座標系 EPSG:</translation>
    </message>
    <message>
        <source>无</source>
        <translation>無</translation>
    </message>
    <message>
        <source>图上所印坐标网的 EPSG 代码(如 UTM 33N 为 32633):点的位置按该坐标系的横坐标和纵坐标输入,并在该坐标系上拟合。留空则按窗口的表示法和基准输入经纬度。</source>
        <translation>圖上所印座標網的 EPSG 代碼(如 UTM 33N 為 32633):點的位置按該座標系的橫座標和縱座標輸入,並在該座標系上擬合。留空則按視窗的表示法和基準輸入經緯度。</translation>
    </message>
    <message>
        <source>已输入的位置:</source>
        <translation>已輸入的位置:</translation>
    </message>
    <message>
        <source>把以前输入的位置(本图层和其他图层的点)用作当前点的位置</source>
        <translation>把以前輸入的位置(本圖層和其他圖層的點)用作目前點的位置</translation>
    </message>
    <message>
        <source>在地图上单击添加控制点,然后在表中输入其位置或从已输入的位置中选取</source>
        <translation>在地圖上單擊添加控制點,然後在表中輸入其位置或從已輸入的位置中選取</translation>
    </message>
    <message>
        <source>经纬度:按窗口的表示法和基准</source>
        <translation>經緯度:按視窗的表示法和基準</translation>
    </message>
    <message>
        <source>更改点的坐标系</source>
        <translation>更改點的座標系</translation>
    </message>
    <message>
        <source>点 %1:%2, %3</source>
        <translation>點 %1:%2, %3</translation>
    </message>
    <message>
        <source>%1 的点 %2:%3, %4</source>
        <translation>%1 的點 %2:%3, %4</translation>
    </message>
    <message>
        <source>(还没有)</source>
        <translation>(還沒有)</translation>
    </message>
    <message>
        <source>选取…</source>
        <translation>選取…</translation>
    </message>
    <message>
        <source>请先在表中选择一个点</source>
        <translation>請先在表中選擇一個點</translation>
    </message>
    <message>
        <source>选取控制点位置</source>
        <translation>選取控制點位置</translation>
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
        <translation>無法讀取 %1:%2</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 不是一般檔案</translation>
    </message>
    <message>
        <source>the output %1 is a folder</source>
        <translation>輸出 %1 是一個資料夾</translation>
    </message>
    <message>
        <source>the output %1 is not a regular file (a device, a pipe or a socket), which is never replaced</source>
        <translation>輸出 %1 不是一般檔案(裝置、管道或通訊端),不會被取代</translation>
    </message>
    <message>
        <source>the output %1 is the input %2</source>
        <translation>輸出 %1 就是輸入 %2</translation>
    </message>
</context>
<context>
    <name>GeoRaster</name>
    <message>
        <source>the grid %1 cannot be transformed to WGS 84: %2</source>
        <translation>無法把座標網格 %1 轉換到 WGS 84:%2</translation>
    </message>
    <message>
        <source>the ground control points cannot be fitted: %1</source>
        <translation>無法擬合地面控制點:%1</translation>
    </message>
    <message>
        <source>the corners of the raster cannot be transformed to WGS 84 from %1</source>
        <translation>無法把點陣圖的四角從 %1 轉換到 WGS 84</translation>
    </message>
    <message>
        <source>the raster&apos;s grid cannot be read</source>
        <translation>無法讀取點陣圖的座標網格</translation>
    </message>
    <message>
        <source>%1 ground control points given; this transform needs at least %2</source>
        <translation>只給出了 %1 個地面控制點;此轉換至少需要 %2 個</translation>
    </message>
    <message>
        <source>%1 has a world file but no grid: a .prj file beside it must name its projection and datum</source>
        <translation>%1 有世界檔案但沒有座標網格:旁邊須有註明投影和基準面的 .prj 檔案</translation>
    </message>
    <message>
        <source>the grid in %1 cannot be read</source>
        <translation>無法讀取 %1 中的座標網格</translation>
    </message>
    <message>
        <source>the raster cannot be read</source>
        <translation>無法讀取點陣圖</translation>
    </message>
    <message>
        <source>the raster cannot be warped</source>
        <translation>無法對點陣圖進行重新投影</translation>
    </message>
    <message>
        <source>the raster crosses the 180th meridian, which a level cannot span</source>
        <translation>點陣圖跨越了 180° 經線,一個層級無法跨越它</translation>
    </message>
    <message>
        <source>%1 has a geotransform but names no grid</source>
        <translation>%1 有地理轉換參數,但沒有註明座標網格</translation>
    </message>
    <message>
        <source>not a raster the program reads (GeoTIFF or TIFF, PNG, JPEG, BMP or GIF)</source>
        <translation>不是本程式能讀的點陣圖(GeoTIFF 或 TIFF、PNG、JPEG、BMP、GIF)</translation>
    </message>
    <message>
        <source>the raster&apos;s footprint on WGS 84 has no size</source>
        <translation>點陣圖在 WGS 84 上的範圍沒有大小</translation>
    </message>
    <message>
        <source>the level would be too large: %1</source>
        <translation>層級會過大:%1</translation>
    </message>
    <message>
        <source>the level would be %1 × %2 pixels, more than eight times the raster&apos;s own: its grid or points do not describe a map of this image</source>
        <translation>層級會有 %1 × %2 像素,超過點陣圖本身的八倍:其座標網格或地面控制點描述的不是這幅圖片的地圖</translation>
    </message>
    <message>
        <source>a thin-plate spline takes at most %1 points; %2 were given</source>
        <translation>薄板樣條最多用 %1 個點;給出了 %2 個</translation>
    </message>
    <message>
        <source>the points lie outside the image (%1 × %2 pixels)</source>
        <translation>地面控制點位於圖片之外(圖片 %1 × %2 像素)</translation>
    </message>
    <message>
        <source>the raster&apos;s pixel size is not a number</source>
        <translation>點陣圖的像素大小不是數字</translation>
    </message>
    <message>
        <source>the raster&apos;s pixels have no size</source>
        <translation>點陣圖的像素沒有大小</translation>
    </message>
    <message>
        <source>the grid covers more than 360° of longitude (%1° to %2°)</source>
        <translation>座標網格覆蓋的經度超過 360°(%1° 至 %2°)</translation>
    </message>
    <message>
        <source>the grid reaches past a pole (latitudes %1° to %2°)</source>
        <translation>座標網格越過了極點(緯度 %1° 至 %2°)</translation>
    </message>
    <message>
        <source>the raster is too large: %1</source>
        <translation>點陣圖過大:%1</translation>
    </message>
    <message>
        <source>the grid %1 names cannot be read: %2</source>
        <translation>無法讀取 %1 所指定的座標網格:%2</translation>
    </message>
    <message>
        <source>only rasters of 8- or 16-bit grey, RGB or palette colours (with or without alpha) can be read</source>
        <translation>只能讀取 8 位元或 16 位元的灰階、RGB 或調色盤點陣圖(可帶透明通道)</translation>
    </message>
    <message>
        <source>the grid of the points cannot be read</source>
        <translation>無法讀取這些點的座標網格</translation>
    </message>
    <message>
        <source>the level of the sources has not been planned</source>
        <translation>尚未規劃這些來源的層級</translation>
    </message>
    <message>
        <source>its map face cannot be placed on WGS 84: %1</source>
        <translation>無法將其圖面定位到 WGS 84：%1</translation>
    </message>
    <message>
        <source>its border encloses no area (at least 3 and at most %1 points around the map face are needed)</source>
        <translation>其邊框未圍出任何區域（需要圍繞圖面的至少 3 個、至多 %1 個點）</translation>
    </message>
    <message>
        <source>a point of it does not transform</source>
        <translation>其中一個點無法轉換</translation>
    </message>
    <message>
        <source>a point of it lies beyond the range of longitudes and latitudes</source>
        <translation>其中一個點超出經緯度範圍</translation>
    </message>
    <message>
        <source>a level needs at least one source</source>
        <translation>一個層級至少需要一個來源</translation>
    </message>
    <message>
        <source>the sources lie on both sides of the 180th meridian (from %1° to %2° of longitude), which one level cannot span</source>
        <translation>這些來源位於 180° 經線兩側（經度 %1° 至 %2°），一個層級無法跨越</translation>
    </message>
    <message>
        <source>the map faces of the sources have no size on WGS 84</source>
        <translation>這些來源的圖面在 WGS 84 上沒有大小</translation>
    </message>
</context>
<context>
    <name>GridPosition</name>
    <message>
        <source>the %1 %2 is not a number of metres</source>
        <translation>%1 %2 不是以公尺為單位的數值</translation>
    </message>
    <message>
        <source>the %1 %2 is outside %3 to %4 metres</source>
        <translation>%1 %2 超出 %3 至 %4 公尺的範圍</translation>
    </message>
    <message>
        <source>the UTM easting text %1 is not &quot;zone band easting&quot; (e.g. &quot;49 Q 757196&quot;)</source>
        <translation>UTM橫座標文字 %1 不符合&quot;帶號 緯度帶 橫座標&quot;的格式(例如&quot;49 Q 757196&quot;)</translation>
    </message>
    <message>
        <source>the UTM zone %1 is outside %2 to %3</source>
        <translation>UTM帶號 %1 超出 %2 至 %3 的範圍</translation>
    </message>
    <message>
        <source>the UTM band %1 is not a letter C to X (without I and O)</source>
        <translation>UTM緯度帶 %1 不是 C 至 X 之間的字母(不含 I 和 O)</translation>
    </message>
    <message>
        <source>UTM easting</source>
        <translation>UTM橫座標</translation>
    </message>
    <message>
        <source>UTM northing</source>
        <translation>UTM縱座標</translation>
    </message>
    <message>
        <source>the grid position lies beyond the pole</source>
        <translation>該網格座標位於極點之外</translation>
    </message>
    <message>
        <source>not a grid notation</source>
        <translation>不是網格座標格式</translation>
    </message>
    <message>
        <source>TM easting</source>
        <translation>TM橫座標</translation>
    </message>
    <message>
        <source>TM northing</source>
        <translation>TM縱座標</translation>
    </message>
</context>
<context>
    <name>HintedIntValidator</name>
    <message>
        <source>输入无效或超出范围</source>
        <translation>輸入無效或超出範圍</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>the image is %1 x %2 pixels and needs %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>圖片為 %1 x %2 像素,需要 %3 MiB 記憶體,超過了 %4 MiB 的記憶體上限</translation>
    </message>
    <message>
        <source>no rows are left to read</source>
        <translation>沒有剩餘的列可讀取</translation>
    </message>
    <message>
        <source>damaged image data (%1)</source>
        <translation>圖片資料已損壞(%1)</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>記憶體不足</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels and needs up to %3 MiB, more than the memory limit of %4 MiB</source>
        <translation>圖片為 %1 x %2 像素,最多需要 %3 MiB 記憶體,超過了 %4 MiB 的記憶體上限</translation>
    </message>
    <message>
        <source>damaged image data (its size differs from its header)</source>
        <translation>圖片資料已損壞(尺寸與檔頭不符)</translation>
    </message>
    <message>
        <source>unsupported image format</source>
        <translation>不支援的圖片格式</translation>
    </message>
    <message>
        <source>damaged image data (the file ends at byte %1; its header needs %2 bytes of pixel data up to byte %3)</source>
        <translation>圖片資料已損壞(檔案在第 %1 位元組處結束;檔頭要求 %2 位元組的像素資料,直到第 %3 位元組)</translation>
    </message>
    <message>
        <source>premature end of data</source>
        <translation>資料提前結束</translation>
    </message>
    <message>
        <source>the interlaced image needs %1 MiB, more than the memory limit of %2 MiB</source>
        <translation>交錯式圖片需要 %1 MiB 記憶體,超過了 %2 MiB 的記憶體上限</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s colour masks are not separate runs of bits)</source>
        <translation>圖片資料已損壞(BMP 的顏色遮罩不是互不重疊的連續位元)</translation>
    </message>
    <message>
        <source>damaged image data (the BMP&apos;s size is %1 x %2)</source>
        <translation>圖片資料已損壞(BMP 的尺寸為 %1 x %2)</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 像素</translation>
    </message>
    <message>
        <source>%1; at most %2 a side</source>
        <translation>%1;每邊最多 %2</translation>
    </message>
    <message>
        <source>%1; at most %2 megapixels</source>
        <translation>%1;最多 %2 百萬像素</translation>
    </message>
    <message>
        <source>the image is too large: %1</source>
        <translation>圖片過大:%1</translation>
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
        <translation>%1 超出 %2 x %3 的圖片,已移到圖片邊緣</translation>
    </message>
    <message>
        <source>%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)</source>
        <translation>%1 位於 %2 x %3 的圖片之外(x 為 0 到 %2,y 為 0 到 %3)</translation>
    </message>
    <message>
        <source>1 reference point</source>
        <translation>1 個參考點</translation>
    </message>
    <message>
        <source>%1 reference points</source>
        <translation>%1 個參考點</translation>
    </message>
    <message>
        <source>the MMPXY/MMPLL block (WGS 84)</source>
        <translation>MMPXY/MMPLL 段(WGS 84)</translation>
    </message>
    <message>
        <source>the Point lines (datum %1)</source>
        <translation>Point 行(基準面 %1)</translation>
    </message>
    <message>
        <source>calibrated by %1 from %2</source>
        <translation>由%2中的 %1 定標</translation>
    </message>
    <message>
        <source>misses its reference points by up to %1 px (%2 m)</source>
        <translation>與其參考點最多相差 %1 像素(%2 公尺)</translation>
    </message>
    <message>
        <source>%1 (ground control points on %2)</source>
        <translation>%1(地面控制點在 %2 上)</translation>
    </message>
    <message>
        <source>needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values (X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %1</source>
        <translation>需要 4 個值(LON1,LAT1,LON2,LAT2)或 8 個值(X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2),而不是 %1 個</translation>
    </message>
    <message>
        <source>has a value that is not a whole pixel or a number of degrees</source>
        <translation>有一個值既不是整數像素也不是度數</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, taken as it is</source>
        <translation>由其%1在 %2 上地理配準,原樣使用</translation>
    </message>
    <message>
        <source>georeferenced by its %1 on %2, warped to %3 x %4 pixels on WGS 84</source>
        <translation>由其%1在 %2 上地理配準,已重投影為 WGS 84 上的 %3 x %4 像素</translation>
    </message>
    <message>
        <source>the points file %1 names its own grid, %2; no other can be given for it</source>
        <translation>點檔案 %1 已指定自己的座標網格 %2;不能再為它指定其他網格</translation>
    </message>
    <message>
        <source>points on the grid %1 cannot also be on the datum %2</source>
        <translation>座標網格 %1 上的點不能同時位於基準面 %2 上</translation>
    </message>
    <message>
        <source>point %1 is not a longitude and latitude in degrees (%2, %3); points on a projected grid need its EPSG code</source>
        <translation>第 %1 個點不是以度為單位的經緯度 (%2, %3);投影座標網格上的點需要給出該網格的 EPSG 代碼</translation>
    </message>
</context>
<context>
    <name>LayerMosaic</name>
    <message>
        <source>a level read from an SMF file cannot be merged</source>
        <translation>從 SMF 檔案讀取的層級不能合併</translation>
    </message>
    <message>
        <source>a copy at another scale cannot be merged; merge the layer it was made from</source>
        <translation>其他比例的副本不能合併；請合併其來源圖層</translation>
    </message>
    <message>
        <source>it is not calibrated</source>
        <translation>它尚未定標</translation>
    </message>
    <message>
        <source>its image %1 cannot be read</source>
        <translation>無法讀取其圖片 %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>图层</source>
        <translation>圖層</translation>
    </message>
    <message>
        <source>层</source>
        <translation>層</translation>
    </message>
    <message>
        <source>比例尺(像素:毫秒)</source>
        <translation>比例尺(像素:毫秒)</translation>
    </message>
    <message>
        <source>定标点</source>
        <translation>定標點</translation>
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
        <translation>儲存失敗</translation>
    </message>
    <message>
        <source>请重新运行本程序以使语言切换生效.</source>
        <translation>請重新執行本程式以使語言切換生效.</translation>
    </message>
    <message>
        <source>正在保存...</source>
        <translation>正在儲存...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>输入数据无效或不完整</source>
        <translation>輸入資料無效或不完整</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>此操作将会关闭先前文件,是否保存?</source>
        <translation>此操作將會關閉先前檔案,是否儲存?</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>加载失败</source>
        <translation>載入失敗</translation>
    </message>
    <message>
        <source>层</source>
        <comment>layer row name</comment>
        <translation>層</translation>
    </message>
    <message>
        <source>无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示</source>
        <translation>無法編輯像素超過10,000 x 10,000的SMF檔案!這個SMF檔案會以唯讀方式顯示</translation>
    </message>
    <message>
        <source>无法读取SMF文件</source>
        <translation>無法讀取SMF檔案</translation>
    </message>
    <message>
        <source>转换失败</source>
        <translation>轉換失敗</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>图层(&amp;L)</source>
        <translation>圖層(&amp;L)</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>新增(&amp;N)</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>開啟(&amp;O)</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>儲存(&amp;S)</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>另存新檔(&amp;A)...</translation>
    </message>
    <message>
        <source>属性(&amp;P)</source>
        <translation>屬性(&amp;P)</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>屬性</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>增加(&amp;A)</source>
        <translation>增加(&amp;A)</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>複製(&amp;C)</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>刪除(&amp;D)</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>工具列(&amp;T)</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>狀態列(&amp;S)</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>定标点(&amp;P)</source>
        <translation>定標點(&amp;P)</translation>
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
        <translation>瀏覽SMF(&amp;B)</translation>
    </message>
    <message>
        <source>最近的文件(&amp;R)</source>
        <translation>最近的檔案(&amp;R)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
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
        <translation>復原(&amp;U)</translation>
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
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>适合窗口(&amp;F)</source>
        <translation>符合視窗大小(&amp;F)</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>实际大小(&amp;1)</source>
        <translation>實際大小(&amp;1)</translation>
    </message>
    <message>
        <source>Ctrl+1</source>
        <translation>Ctrl+1</translation>
    </message>
    <message>
        <source>请输入缩放比例(%)</source>
        <translation>請輸入縮放比例(%)</translation>
    </message>
    <message>
        <source>所有支持的文件</source>
        <translation>所有支援的檔案</translation>
    </message>
    <message>
        <source>修改定标点</source>
        <translation>修改定標點</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>已儲存 %1</translation>
    </message>
    <message>
        <source>无法加载 %1</source>
        <translation>無法載入 %1</translation>
    </message>
    <message>
        <source>增加图层</source>
        <translation>增加圖層</translation>
    </message>
    <message>
        <source>复制图层</source>
        <translation>複製圖層</translation>
    </message>
    <message>
        <source>自动复制图层</source>
        <translation>自動複製圖層</translation>
    </message>
    <message>
        <source>删除图层</source>
        <translation>刪除圖層</translation>
    </message>
    <message>
        <source>排序图层</source>
        <translation>排序圖層</translation>
    </message>
    <message>
        <source>无法手动定标</source>
        <translation>無法手動定標</translation>
    </message>
    <message>
        <source>手动定标</source>
        <translation>手動定標</translation>
    </message>
    <message>
        <source>语言(&amp;G)</source>
        <translation>語言(&amp;G)</translation>
    </message>
    <message>
        <source>英语(&amp;E)</source>
        <translation>英語(&amp;E)</translation>
    </message>
    <message>
        <source>简体(&amp;S)</source>
        <translation>簡體(&amp;S)</translation>
    </message>
    <message>
        <source>繁体(&amp;T)</source>
        <translation>繁體(&amp;T)</translation>
    </message>
    <message>
        <source>自动(&amp;U)</source>
        <translation>自動(&amp;U)</translation>
    </message>
    <message>
        <source>缩放 %1%</source>
        <translation>縮放 %1%</translation>
    </message>
    <message>
        <source>超过 10,000 x 10,000 像素,无法编辑:%1。这个文件将以只读方式在浏览窗口中打开。</source>
        <translation>超過 10,000 x 10,000 像素,無法編輯:%1。這個檔案將以唯讀方式在瀏覽視窗中開啟。</translation>
    </message>
    <message>
        <source>已保存 %1:%2,%3,%4</source>
        <translation>已儲存 %1:%2,%3,%4</translation>
    </message>
    <message numerus="yes">
        <source>%n 层</source>
        <translation>
            <numerusform>%n 層</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个图块</source>
        <translation>
            <numerusform>%n 個圖塊</numerusform>
        </translation>
    </message>
    <message>
        <source>项目中没有图层,无法保存</source>
        <translation>專案中沒有圖層,無法儲存</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>另存新檔</translation>
    </message>
    <message>
        <source>浏览SMF文件</source>
        <translation>瀏覽SMF檔案</translation>
    </message>
    <message>
        <source>选择WFL文件夹</source>
        <translation>選擇WFL資料夾</translation>
    </message>
    <message>
        <source>保存SMF文件</source>
        <translation>儲存SMF檔案</translation>
    </message>
    <message>
        <source>清除列表(&amp;C)</source>
        <translation>清除清單(&amp;C)</translation>
    </message>
    <message>
        <source>增加图层</source>
        <comment>dialog title</comment>
        <translation>增加圖層</translation>
    </message>
    <message>
        <source>复制图层</source>
        <comment>dialog title</comment>
        <translation>複製圖層</translation>
    </message>
    <message>
        <source>%1 已作为未定标的图像加入</source>
        <translation>%1 已作為未定標的圖片加入</translation>
    </message>
    <message>
        <source>控制点</source>
        <translation>控制點</translation>
    </message>
    <message>
        <source>按多点定标</source>
        <translation>按多點定標</translation>
    </message>
    <message>
        <source>添加控制点</source>
        <translation>添加控制點</translation>
    </message>
    <message>
        <source>移动控制点</source>
        <translation>移動控制點</translation>
    </message>
    <message>
        <source>改回两点定标</source>
        <translation>改回兩點定標</translation>
    </message>
    <message>
        <source>%1: 控制点未拟合</source>
        <comment>layer name</comment>
        <translation>%1: 控制點未擬合</translation>
    </message>
    <message>
        <source>控制点(&amp;C)</source>
        <translation>控制點(&amp;C)</translation>
    </message>
    <message>
        <source>%1 中没有控制点</source>
        <translation>%1 中沒有控制點</translation>
    </message>
    <message>
        <source>导入点</source>
        <translation>匯入點</translation>
    </message>
    <message>
        <source>无法导入点</source>
        <translation>無法匯入點</translation>
    </message>
    <message>
        <source>第 %1 点的像素 (%2, %3) 不在 %4 × %5 的图像内</source>
        <translation>第 %1 點的像素 (%2, %3) 不在 %4 × %5 的圖片內</translation>
    </message>
    <message>
        <source>导入控制点</source>
        <translation>匯入控制點</translation>
    </message>
    <message>
        <source>导出点</source>
        <translation>匯出點</translation>
    </message>
    <message>
        <source>无法写出这些点</source>
        <translation>無法寫出這些點</translation>
    </message>
    <message>
        <source>无法导出点</source>
        <translation>無法匯出點</translation>
    </message>
    <message>
        <source>QGIS 控制点 (*.points *.POINTS);;OziExplorer 地图 (*.map *.MAP)</source>
        <translation>QGIS 控制點 (*.points *.POINTS);;OziExplorer 地圖 (*.map *.MAP)</translation>
    </message>
    <message>
        <source>%1 的点所在的坐标系 %2 没有 EPSG 代码;只能导入有 EPSG 代码的坐标系上的点</source>
        <translation>%1 的點所在的座標系 %2 沒有 EPSG 代碼;只能匯入有 EPSG 代碼的座標系上的點</translation>
    </message>
    <message>
        <source>合并为一层(&amp;M)</source>
        <translation>合併為一層(&amp;M)</translation>
    </message>
    <message>
        <source>把选中的几个已定标图层合并为一层:各自按边界裁去图廓,拼成一个级别</source>
        <translation>把選中的幾個已定標圖層合併為一層:各自按邊界裁去圖廓,拼成一個級別</translation>
    </message>
    <message>
        <source>编辑边界(&amp;B)</source>
        <translation>編輯邊界(&amp;B)</translation>
    </message>
    <message>
        <source>在原图上显示图层的边界并拖动其各点;合并时只取边界以内</source>
        <translation>在原圖上顯示圖層的邊界並拖動其各點;合併時只取邊界以內</translation>
    </message>
    <message>
        <source>无法按此边界合并</source>
        <translation>無法按此邊界合併</translation>
    </message>
    <message>
        <source>移动边界点</source>
        <translation>移動邊界點</translation>
    </message>
    <message>
        <source>无法合并为一层</source>
        <translation>無法合併為一層</translation>
    </message>
    <message>
        <source>合并为一层</source>
        <translation>合併為一層</translation>
    </message>
    <message>
        <source>没有已输入位置的点可导出</source>
        <translation>沒有已輸入位置的點可匯出</translation>
    </message>
</context>
<context>
    <name>MapProject</name>
    <message>
        <source>cannot read the OziExplorer file %1: %2</source>
        <translation>無法讀取 OziExplorer 檔案 %1: %2</translation>
    </message>
    <message>
        <source>cannot read the image %1: %2</source>
        <translation>無法讀取圖片 %1: %2</translation>
    </message>
    <message>
        <source>a copy at %1 % of the %2 x %3 image would be empty</source>
        <translation>%2 x %3 的圖片按 %1 % 複製後為空</translation>
    </message>
    <message>
        <source>a copy at %1 % is %2 x %3 pixels: with the whole image it is made from it needs %4 MiB, more than the memory limit of %5 MiB</source>
        <translation>按 %1 % 複製的圖片為 %2 x %3 像素: 連同其來源的整幅圖片需要 %4 MiB,超過記憶體上限 %5 MiB</translation>
    </message>
    <message>
        <source>a copy at %1 % would bring the two calibration points onto one pixel column or row</source>
        <translation>按 %1 % 複製會使兩個定標點落在同一像素欄或列上</translation>
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
        <translation>請輸入</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>屬性</translation>
    </message>
    <message>
        <source>制图人:</source>
        <translation>製圖人:</translation>
    </message>
    <message>
        <source>填充色:</source>
        <translation>填充色:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>地图名:</source>
        <translation>地圖名:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>新建地图</source>
        <translation>新增地圖</translation>
    </message>
    <message>
        <source>制图人</source>
        <translation>製圖人</translation>
    </message>
    <message>
        <source>地图名</source>
        <translation>地圖名</translation>
    </message>
    <message>
        <source>%1超过 %2 个字符(%3 个),文件只保存前 %2 个</source>
        <translation>%1超過 %2 個字元(%3 個),檔案只儲存前 %2 個</translation>
    </message>
    <message>
        <source>WFL到SMF:地图属性</source>
        <translation>WFL到SMF:地圖屬性</translation>
    </message>
</context>
<context>
    <name>MosaicSourcesPanel</name>
    <message>
        <source>窗口中的控制点</source>
        <translation>視窗中的控制點</translation>
    </message>
    <message>
        <source>两点定标</source>
        <translation>兩點定標</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>整幅圖像</translation>
    </message>
    <message>
        <source>%1 个点</source>
        <translation>%1 個點</translation>
    </message>
    <message>
        <source>合并图层的来源,后列的在上:</source>
        <translation>合併圖層的來源,後列的在上:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>定标</source>
        <translation>定標</translation>
    </message>
    <message>
        <source>边界</source>
        <translation>邊界</translation>
    </message>
</context>
<context>
    <name>OziMap</name>
    <message>
        <source>the UTM zone of its reference points is not given</source>
        <translation>檔案中的參考點沒有給出 UTM 分帶</translation>
    </message>
    <message>
        <source>its reference point at pixel (%1, %2) cannot be placed on its grid</source>
        <translation>檔案中位於像素 (%1, %2) 的參考點無法換算到其座標網格上</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; is not one the program can read</source>
        <translation>檔案的投影 &apos;%1&apos; 本程式無法讀取</translation>
    </message>
    <message>
        <source>its projection &apos;%1&apos; cannot be set up from the values of its Projection Setup line</source>
        <translation>無法用檔案中 Projection Setup 行的參數建立投影 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>its reference points do not fix the map: it needs two in different rows and columns, or three not on one line</source>
        <translation>檔案中的參考點不足以確定地圖位置:需要兩個既不同列也不同欄的點,或三個不在同一直線上的點</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its Point lines is not one the program knows</source>
        <translation>其 Point 行的基準面「%1」不是本程式所知的</translation>
    </message>
    <message>
        <source>the datum &apos;%1&apos; of its grid is not one the program knows (neither in OziExplorer&apos;s datum list nor in the datum table), so the map cannot be placed on it</source>
        <translation>其座標網格的基準面「%1」不是本程式所知的(既不在 OziExplorer 的基準面清單中,也不在基準面表中),因此無法定位這幅地圖</translation>
    </message>
    <message>
        <source>its image %1 is in OziExplorer&apos;s own format (.%2), which the program does not read; convert it to PNG, JPEG or TIFF</source>
        <translation>其圖片 %1 是 OziExplorer 自有的格式(.%2),本程式不能讀取;請先轉換為 PNG、JPEG 或 TIFF</translation>
    </message>
    <message>
        <source>an OziExplorer file takes at most %1 points; %2 were given</source>
        <translation>OziExplorer 檔案最多容納 %1 個點;給出了 %2 個</translation>
    </message>
    <message>
        <source>point %1 is no pixel and position on WGS 84</source>
        <translation>第 %1 個點不是有效的像素和 WGS 84 位置</translation>
    </message>
</context>
<context>
    <name>QgisPoints</name>
    <message>
        <source>the grid %1 is neither geographic nor projected</source>
        <translation>座標網格 %1 既不是地理座標系也不是投影座標系</translation>
    </message>
    <message>
        <source>the grid %1 cannot be written as WKT</source>
        <translation>無法把座標網格 %1 寫成 WKT</translation>
    </message>
    <message>
        <source>EPSG:%1 is not a grid PROJ knows</source>
        <translation>EPSG:%1 不是 PROJ 認識的座標網格</translation>
    </message>
    <message>
        <source>the grid is neither WKT nor EPSG:N that PROJ reads</source>
        <translation>座標網格既不是 PROJ 能讀取的 WKT,也不是 EPSG:N</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行:%2</translation>
    </message>
    <message>
        <source>no header &quot;mapX,mapY,...&quot; of a QGIS points file</source>
        <translation>缺少 QGIS 點檔案的表頭 &quot;mapX,mapY,...&quot;</translation>
    </message>
    <message>
        <source>more than %1 points</source>
        <translation>點數超過 %1 個</translation>
    </message>
    <message>
        <source>%1 values; a point needs map x, map y, source x and source y</source>
        <translation>只有 %1 個值;一個點需要地圖 x、地圖 y、來源 x 和來源 y</translation>
    </message>
    <message>
        <source>value %1 is not a number</source>
        <translation>第 %1 個值不是數字</translation>
    </message>
    <message>
        <source>enable is not 0 or 1</source>
        <translation>enable 不是 0 或 1</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>無法讀取 %1:%2</translation>
    </message>
    <message>
        <source>the points file %1 is larger than 1 MiB</source>
        <translation>點檔案 %1 大於 1 MiB</translation>
    </message>
    <message>
        <source>the points file %1, %2</source>
        <translation>點檔案 %1,%2</translation>
    </message>
    <message>
        <source>PROJ cannot take the position (%1, %2) from %3 to %4</source>
        <translation>PROJ 無法把位置 (%1, %2) 從 %3 轉換到 %4</translation>
    </message>
</context>
<context>
    <name>SmfFile</name>
    <message>
        <source>the file cannot be read</source>
        <translation>無法讀取該檔案</translation>
    </message>
    <message>
        <source>the file is too short for an SMF header (%1 of %2 bytes)</source>
        <translation>檔案太短,容不下SMF檔頭(%1 / %2 位元組)</translation>
    </message>
    <message>
        <source>not an SMF file (magic number 0x%1, expected 0x%2)</source>
        <translation>不是SMF檔案(識別碼為 0x%1,應為 0x%2)</translation>
    </message>
    <message>
        <source>the header gives a negative count (%1 levels, %2 tiles)</source>
        <translation>檔頭給出了負數(%1 個層級,%2 個圖磚)</translation>
    </message>
    <message>
        <source>the file is truncated: %1 levels and %2 tiles need %3 bytes before the tile data, the file has %4</source>
        <translation>檔案不完整: %1 個層級和 %2 個圖磚在圖磚資料之前需要 %3 位元組,而檔案只有 %4 位元組</translation>
    </message>
    <message>
        <source>the header gives a negative tile size (%1 x %2)</source>
        <translation>檔頭給出了負的圖磚尺寸(%1 x %2)</translation>
    </message>
    <message>
        <source>the level records cannot be read</source>
        <translation>無法讀取層級記錄</translation>
    </message>
    <message>
        <source>the tile index cannot be read</source>
        <translation>無法讀取圖磚索引</translation>
    </message>
    <message>
        <source>level %1: negative tile grid (%2 x %3)</source>
        <translation>層級 %1: 圖磚網格為負(%2 x %3)</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is outside 1..%3 pixels</source>
        <translation>圖磚尺寸 %1 x %2 超出 1..%3 像素的範圍</translation>
    </message>
    <message>
        <source>level %1: tiles %2 to %3 lie outside the tile index of %4 entries</source>
        <translation>層級 %1: 圖磚 %2 至 %3 超出了共 %4 項的圖磚索引</translation>
    </message>
    <message>
        <source>level %1: the level is wider or taller than 2,147,483,647 pixels</source>
        <translation>層級 %1: 該層級的寬度或高度超過 2,147,483,647 像素</translation>
    </message>
    <message>
        <source>tile index entry %1 (offset %2, size %3) points outside the tile data (bytes %4 to %5)</source>
        <translation>圖磚索引項 %1(位移 %2,大小 %3)指向圖磚資料(第 %4 至 %5 位元組)之外</translation>
    </message>
    <message>
        <source>the file has no level %1 (levels 0 to %2)</source>
        <translation>檔案中沒有層級 %1(層級為 0 至 %2)</translation>
    </message>
    <message>
        <source>level %1 has no tiles</source>
        <translation>層級 %1 沒有圖磚</translation>
    </message>
    <message>
        <source>level %1 claims %2 x %3 pixels, more than its %4 bytes of tile data can hold</source>
        <translation>層級 %1 聲稱有 %2 x %3 像素,超出了其 %4 位元組圖磚資料所能容納的範圍</translation>
    </message>
    <message>
        <source>not enough memory for a %1 x %2 image</source>
        <translation>記憶體不足,無法容納 %1 x %2 的圖片</translation>
    </message>
    <message>
        <source>tile (%1, %2) of level %3 cannot be read: %4</source>
        <translation>無法讀取層級 %3 的圖磚(%1, %2): %4</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>無法開啟 %1: %2</translation>
    </message>
    <message>
        <source>the file has %1 levels; at most 255 can be opened</source>
        <translation>檔案有 %1 個層級,最多只能開啟 255 個</translation>
    </message>
    <message>
        <source>too many SMF files in one project</source>
        <translation>一個專案中的SMF檔案太多</translation>
    </message>
    <message>
        <source>level %1 has more than 10,000 x 10,000 pixels</source>
        <translation>層級 %1 超過 10,000 x 10,000 像素</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>無法讀取 %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>無法讀取 %1: %2</translation>
    </message>
    <message>
        <source>the file would be larger than %1 bytes, the most an SMF file can describe</source>
        <translation>檔案將超過 %1 位元組,即SMF檔案所能描述的上限</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>無法寫入 %1: %2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>無法建立 %1: %2</translation>
    </message>
    <message>
        <source>the levels are incomplete</source>
        <translation>層級不完整</translation>
    </message>
    <message>
        <source>the bottom-right pixel (%1, %2) is not right of and below the top-left pixel (%3, %4)</source>
        <translation>右下像素(%1, %2)不在左上像素(%3, %4)的右下方</translation>
    </message>
    <message>
        <source>the scale is not a 32-bit number</source>
        <translation>比例尺不是32位元數</translation>
    </message>
    <message>
        <source>not enough memory to encode a tile</source>
        <translation>記憶體不足,無法編碼圖磚</translation>
    </message>
    <message>
        <source>the project has no file path</source>
        <translation>專案沒有檔案路徑</translation>
    </message>
    <message>
        <source>the tile size %1 x %2 is not positive</source>
        <translation>圖磚尺寸 %1 x %2 不是正數</translation>
    </message>
    <message>
        <source>the save was cancelled</source>
        <translation>儲存已取消</translation>
    </message>
    <message>
        <source>the image %1 cannot be read</source>
        <translation>無法讀取圖片 %1</translation>
    </message>
    <message>
        <source>the image %1 changed its size while saving</source>
        <translation>圖片 %1 在儲存期間改變了尺寸</translation>
    </message>
    <message>
        <source>damaged image %1: %2</source>
        <translation>圖片 %1 已損壞: %2</translation>
    </message>
    <message>
        <source>the level&apos;s pixels are too large for its tiles: %1 × %2-pixel tiles of %3° × %4° pixels would reach beyond the ±596° of longitude and latitude that an SMF file can record</source>
        <translation>層級的像素對其圖磚而言過大:%1 × %2 像素的圖磚、每像素 %3° × %4°,會超出 SMF 檔案所能記錄的經緯度 ±596°</translation>
    </message>
</context>
<context>
    <name>WflConversion</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>無法讀取 %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be decoded as an image: %2</source>
        <translation>無法將 %1 解碼為圖片: %2</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels; a tile may have at most %4 pixels a side</source>
        <translation>%1 為 %2 x %3 像素,而圖磚每邊最多 %4 像素</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: larger than the first tile of the highest level</source>
        <translation>%1 為 %2 x %3 像素,圖磚為 %4 x %5: 比最高層級的第一個圖磚還大</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last column may be narrower</source>
        <translation>%1 為 %2 x %3 像素,圖磚為 %4 x %5: 只有所在層級最後一欄的圖磚可以更窄</translation>
    </message>
    <message>
        <source>%1 is %2 x %3 pixels, the tiles are %4 x %5: only a tile of its level&apos;s last row may be shorter</source>
        <translation>%1 為 %2 x %3 像素,圖磚為 %4 x %5: 只有所在層級最後一列的圖磚可以更矮</translation>
    </message>
    <message>
        <source>out of memory while encoding %1</source>
        <translation>編碼 %1 時記憶體不足</translation>
    </message>
    <message>
        <source>no tiles found in %1: it holds no sidecar (.wfl) files</source>
        <translation>在 %1 中找不到圖磚: 其中沒有附屬(.wfl)檔案</translation>
    </message>
    <message>
        <source>%1 tiles make a file larger than 2,147,483,647 bytes, the most an SMF file can describe</source>
        <translation>%1 個圖磚會使檔案超過 2,147,483,647 位元組,即SMF檔案所能描述的上限</translation>
    </message>
    <message>
        <source>the conversion was cancelled</source>
        <translation>轉換已取消</translation>
    </message>
    <message>
        <source>%1: line %2 holds no number; lines 5 to 8 must give the tile&apos;s edges in degrees</source>
        <translation>%1: 第 %2 行沒有數值;第 5 至 8 行必須以度為單位給出圖磚的邊界</translation>
    </message>
    <message>
        <source>%1: line %2 is not a number (&quot;%3&quot;)</source>
        <translation>%1: 第 %2 行不是數值(&quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the latitude limit of %4 degrees</source>
        <translation>%1: 第 %2 行給出 %3 度,超出了 %4 度的緯度上限</translation>
    </message>
    <message>
        <source>%1: line %2 gives %3 degrees, beyond the longitude limit of %4 degrees</source>
        <translation>%1: 第 %2 行給出 %3 度,超出了 %4 度的經度上限</translation>
    </message>
    <message>
        <source>%1 has no image beside it (an image file named %2 with an image extension)</source>
        <translation>%1 旁邊沒有圖片(應有名為 %2、帶圖片副檔名的圖片檔案)</translation>
    </message>
    <message>
        <source>%1 has more than one image beside it: %2</source>
        <translation>%1 旁邊有不止一個圖片: %2</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>資料夾 %1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 不是資料夾</translation>
    </message>
    <message>
        <source>the folder %1 cannot be read</source>
        <translation>無法讀取資料夾 %1</translation>
    </message>
    <message>
        <source>%1: the name does not give a level, column and row (such as 15_3x4.wfl, or 15 (2)_3x4.wfl for part 2)</source>
        <translation>%1: 檔名未給出層級、欄和列(例如 15_3x4.wfl,或表示第 2 部分的 15 (2)_3x4.wfl)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, part %4, column %5, row %6)</source>
        <translation>%1 和 %2 是同一個圖磚(層級 %3,第 %4 部分,第 %5 欄,第 %6 列)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same tile (level %3, column %4, row %5)</source>
        <translation>%1 和 %2 是同一個圖磚(層級 %3,第 %4 欄,第 %5 列)</translation>
    </message>
    <message>
        <source>level %1, part %2 has no tile in column 0, row 0 (a sidecar named like &quot;%1 (%2)_0x0.wfl&quot;)</source>
        <translation>層級 %1 的第 %2 部分在第 0 欄、第 0 列沒有圖磚(應有名為&quot;%1 (%2)_0x0.wfl&quot;的附屬檔案)</translation>
    </message>
    <message>
        <source>level %1 has no tile for column %2, row %3 of its grid of %4 x %5 tiles</source>
        <translation>層級 %1 在其 %4 x %5 圖磚網格的第 %2 欄、第 %3 列沒有圖磚</translation>
    </message>
    <message>
        <source>%1 and %2 fall on the same place of level %3 (column %4, row %5)</source>
        <translation>%1 和 %2 落在層級 %3 的同一位置(第 %4 欄,第 %5 列)</translation>
    </message>
    <message>
        <source>level %1 mixes plain tiles and numbered parts (%2 and %3)</source>
        <translation>層級 %1 混用了一般圖磚和編號部分(%2 和 %3)</translation>
    </message>
</context>
</TS>
