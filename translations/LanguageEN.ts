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
</context>
<context>
    <name>HintedDoubleValidator</name>
    <message>
        <source>输入无效或超出范围</source>
        <translation>Invalid input or out of range</translation>
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
        <source>不支持的图片格式</source>
        <translation>Unsupported image format</translation>
    </message>
    <message>
        <source>请输入缩放比例</source>
        <translation>Enter the scale in percent</translation>
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
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
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
        <source>英语</source>
        <translation>English</translation>
    </message>
    <message>
        <source>简体</source>
        <translation>Simplified Chinese</translation>
    </message>
    <message>
        <source>繁体</source>
        <translation>Traditional Chinese</translation>
    </message>
    <message>
        <source>自动(&amp;A)</source>
        <translation>&amp;Auto</translation>
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
</context>
</TS>
