<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>GameInfo</name>
    <message>
        <source>中国</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>韩国</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应氏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>和棋</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白胜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑胜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>胜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>负</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无比赛信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知语言类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体中文(GB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁体中文(BIG5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知应用类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋谱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>教程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>考题</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知比赛等级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>国内比赛</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>国际比赛</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知媒介类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋盘对局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络实时对局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络非实时对局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>盲棋</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连棋</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知游戏者类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电脑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知规则类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中国规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日本规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>韩国规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应氏规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果不详</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>和局</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑赢</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白赢</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameNode</name>
    <message>
        <source>未知标签类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>鬼手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>妙手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>好手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>胜负手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>疑问手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>俗手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>骗着</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无理手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>坏手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>昏着</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超级勺子</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>求投手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正解</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>错解</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手筋</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白赢</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白巨优</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白优势明显</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白优势</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白稍优</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>形势两分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑稍优</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑优势</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑优势明显</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑巨大优势</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑赢</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessera::MainWindow</name>
    <message>
        <source>棋室</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建棋室(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开一个新的棋室</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开棋谱(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存为SGG棋谱(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出为SGF棋谱(&amp;E)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第三方工具---转Multigo打谱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭所有窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保持窗体在最前面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>落子声</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主工具栏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具栏--打谱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具栏--编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具栏--练习</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具栏--对弈</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋室信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对局信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移动(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>游戏(&amp;G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主工具栏(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对局信息(&amp;G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋室信息(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋盘属性设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>语言</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文(English)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择语言...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>层叠窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平铺窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开棋谱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>棋谱文件 (*.sgf *.gib *.sgg *.SGF *.GIB *.SGG);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最多只能打开10个棋室.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开棋谱 %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessera::RoomWindow</name>
    <message>
        <source>无名文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
