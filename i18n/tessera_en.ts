<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
    <context>
        <name>Counting</name>
        <message>
            <source>黑胜</source>
            <translation>Black wins</translation>
        </message>
        <message>
            <source>白胜</source>
            <translation>White wins</translation>
        </message>
        <message>
            <source>平局</source>
            <translation>Draw</translation>
        </message>
        <message>
            <source>子</source>
            <translation>stones</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>黑</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>贴子</source>
            <translation>komi</translation>
        </message>
        <message>
            <source>白</source>
            <translation>White</translation>
        </message>
        <message>
            <source>目</source>
            <translation> points</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>空</source>
            <translation>territory</translation>
        </message>
        <message>
            <source>白子</source>
            <translation>white prisoners</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>黑子</source>
            <translation>black prisoners</translation>
        </message>
        <message>
            <source>贴目</source>
            <translation>komi</translation>
        </message>
        <message>
            <source>只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型.</source>
            <translation>Only Chinese, Korean and Japanese rules can be counted. Please change the rule type first.</translation>
        </message>
    </context>
    <context>
        <name>GameInfo</name>
        <message>
            <source>中国</source>
            <translation>China</translation>
        </message>
        <message>
            <source>日本</source>
            <translation>Japan</translation>
        </message>
        <message>
            <source>韩国</source>
            <translation>Korea</translation>
        </message>
        <message>
            <source>应氏</source>
            <translation>Ing</translation>
        </message>
        <message>
            <source>和棋</source>
            <translation>Draw</translation>
        </message>
        <message>
            <source>白胜</source>
            <translation>White wins</translation>
        </message>
        <message>
            <source>黑胜</source>
            <translation>Black wins</translation>
        </message>
        <message>
            <source>黑</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白</source>
            <translation>White</translation>
        </message>
        <message>
            <source>胜</source>
            <translation>win</translation>
        </message>
        <message>
            <source>负</source>
            <translation>loss</translation>
        </message>
        <message>
            <source>无比赛信息</source>
            <translation>No game information</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>未知语言类型</source>
            <translation>Unknown language</translation>
        </message>
        <message>
            <source>英文</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文(GB)</source>
            <translation>Simplified Chinese (GB)</translation>
        </message>
        <message>
            <source>繁体中文(BIG5)</source>
            <translation>Traditional Chinese (Big5)</translation>
        </message>
        <message>
            <source>未知应用类型</source>
            <translation>Unknown kind</translation>
        </message>
        <message>
            <source>棋谱</source>
            <translation>Game record</translation>
        </message>
        <message>
            <source>教程</source>
            <translation>Tutorial</translation>
        </message>
        <message>
            <source>考题</source>
            <translation>Problem set</translation>
        </message>
        <message>
            <source>未知比赛等级</source>
            <translation>Unknown level</translation>
        </message>
        <message>
            <source>国内比赛</source>
            <translation>Domestic</translation>
        </message>
        <message>
            <source>国际比赛</source>
            <translation>International</translation>
        </message>
        <message>
            <source>未知媒介类型</source>
            <translation>Unknown medium</translation>
        </message>
        <message>
            <source>棋盘对局</source>
            <translation>Over the board</translation>
        </message>
        <message>
            <source>网络实时对局</source>
            <translation>Online, real time</translation>
        </message>
        <message>
            <source>网络非实时对局</source>
            <translation>Online, correspondence</translation>
        </message>
        <message>
            <source>盲棋</source>
            <translation>Blindfold</translation>
        </message>
        <message>
            <source>连棋</source>
            <translation>Relay go</translation>
        </message>
        <message>
            <source>未知游戏者类型</source>
            <translation>Unknown</translation>
        </message>
        <message>
            <source>电脑</source>
            <translation>Computer</translation>
        </message>
        <message>
            <source>人</source>
            <translation>Human</translation>
        </message>
        <message>
            <source>未知规则类型</source>
            <translation>Unknown rules</translation>
        </message>
        <message>
            <source>中国规则</source>
            <translation>Chinese rules</translation>
        </message>
        <message>
            <source>日本规则</source>
            <translation>Japanese rules</translation>
        </message>
        <message>
            <source>韩国规则</source>
            <translation>Korean rules</translation>
        </message>
        <message>
            <source>应氏规则</source>
            <translation>Ing rules</translation>
        </message>
        <message>
            <source>结果不详</source>
            <translation>Unknown result</translation>
        </message>
        <message>
            <source>和局</source>
            <translation>Draw</translation>
        </message>
        <message>
            <source>黑赢</source>
            <translation>Black wins</translation>
        </message>
        <message>
            <source>白赢</source>
            <translation>White wins</translation>
        </message>
    </context>
    <context>
        <name>GameNode</name>
        <message>
            <source>未知标签类型</source>
            <translation>No move tag</translation>
        </message>
        <message>
            <source>鬼手</source>
            <translation>Brilliant move</translation>
        </message>
        <message>
            <source>妙手</source>
            <translation>Excellent move</translation>
        </message>
        <message>
            <source>好手</source>
            <translation>Good move</translation>
        </message>
        <message>
            <source>胜负手</source>
            <translation>Decisive move</translation>
        </message>
        <message>
            <source>疑问手</source>
            <translation>Doubtful move</translation>
        </message>
        <message>
            <source>俗手</source>
            <translation>Crude move</translation>
        </message>
        <message>
            <source>骗着</source>
            <translation>Trick play</translation>
        </message>
        <message>
            <source>无理手</source>
            <translation>Overplay</translation>
        </message>
        <message>
            <source>坏手</source>
            <translation>Bad move</translation>
        </message>
        <message>
            <source>中计</source>
            <translation>Fell for a trick</translation>
        </message>
        <message>
            <source>昏着</source>
            <translation>Blunder</translation>
        </message>
        <message>
            <source>超级勺子</source>
            <translation>Huge blunder</translation>
        </message>
        <message>
            <source>求投手</source>
            <translation>Last-ditch move</translation>
        </message>
        <message>
            <source>正解</source>
            <translation>Correct answer</translation>
        </message>
        <message>
            <source>错解</source>
            <translation>Wrong answer</translation>
        </message>
        <message>
            <source>手筋</source>
            <translation>Tesuji</translation>
        </message>
        <message>
            <source>白赢</source>
            <translation>White wins</translation>
        </message>
        <message>
            <source>白巨优</source>
            <translation>White far ahead</translation>
        </message>
        <message>
            <source>白优势明显</source>
            <translation>White clearly ahead</translation>
        </message>
        <message>
            <source>白优势</source>
            <translation>White ahead</translation>
        </message>
        <message>
            <source>白稍优</source>
            <translation>White slightly ahead</translation>
        </message>
        <message>
            <source>形势两分</source>
            <translation>Even position</translation>
        </message>
        <message>
            <source>黑稍优</source>
            <translation>Black slightly ahead</translation>
        </message>
        <message>
            <source>黑优势</source>
            <translation>Black ahead</translation>
        </message>
        <message>
            <source>黑优势明显</source>
            <translation>Black clearly ahead</translation>
        </message>
        <message>
            <source>黑巨大优势</source>
            <translation>Black far ahead</translation>
        </message>
        <message>
            <source>黑赢</source>
            <translation>Black wins</translation>
        </message>
    </context>
    <context>
        <name>GameRoom</name>
        <message>
            <source>对弈</source>
            <translation>Play Against the Computer...</translation>
        </message>
        <message>
            <source>游戏结束</source>
            <translation>Game over</translation>
        </message>
        <message>
            <source>停一手</source>
            <translation>Pass</translation>
        </message>
        <message>
            <source>认输</source>
            <translation>Resign</translation>
        </message>
        <message>
            <source>图象中是 %d 路棋盘, 与本棋谱的 %d 路不同, 无法导入.</source>
            <translation>The picture shows a board of %d lines; this record has %d lines, so it cannot be imported.</translation>
        </message>
        <message>
            <source>无名文件</source>
            <translation>Untitled</translation>
        </message>
        <message>
            <source>练习</source>
            <translation>Practice</translation>
        </message>
        <message>
            <source>场景</source>
            <translation>Node</translation>
        </message>
        <message>
            <source>棋室</source>
            <translation>Room</translation>
        </message>
        <message>
            <source>黑死子个数</source>
            <translation>Black prisoners</translation>
        </message>
        <message>
            <source>白死子个数</source>
            <translation>White prisoners</translation>
        </message>
        <message>
            <source>添加黑子</source>
            <translation>Add Black Stones</translation>
        </message>
        <message>
            <source>添加白子</source>
            <translation>Add White Stones</translation>
        </message>
        <message>
            <source>添加棋子</source>
            <translation>Setup stones</translation>
        </message>
        <message>
            <source>添加自由文字</source>
            <translation>Add Text Label</translation>
        </message>
        <message>
            <source>添加自由文字 (最多两个汉字或四个字母)</source>
            <translation>Text label (at most two Chinese characters or four letters)</translation>
        </message>
        <message>
            <source>文字“%s”太长: 自由文字最多两个汉字或四个字母, 只放上了“%s”.</source>
            <translation>“%s” is too long for a text label (at most two Chinese characters or four letters); “%s” was placed.</translation>
        </message>
        <message>
            <source>跳到第N手</source>
            <translation>Go to Move...</translation>
        </message>
        <message>
            <source>第一手</source>
            <translation>First Move</translation>
        </message>
        <message>
            <source>快退(前5手)</source>
            <translation>Back 5 Moves</translation>
        </message>
        <message>
            <source>前一手</source>
            <translation>Previous Move</translation>
        </message>
        <message>
            <source>下一手</source>
            <translation>Next Move</translation>
        </message>
        <message>
            <source>快进(后5手)</source>
            <translation>Forward 5 Moves</translation>
        </message>
        <message>
            <source>最后一手</source>
            <translation>Last Move</translation>
        </message>
        <message>
            <source>前一解说</source>
            <translation>Previous Comment</translation>
        </message>
        <message>
            <source>下一解说</source>
            <translation>Next Comment</translation>
        </message>
        <message>
            <source>自动打谱</source>
            <translation>Auto Replay</translation>
        </message>
        <message>
            <source>停止自动打谱</source>
            <translation>Stop Auto Replay</translation>
        </message>
        <message>
            <source>试下</source>
            <translation>Try Variation</translation>
        </message>
        <message>
            <source>重新研究</source>
            <translation>Restart Variation</translation>
        </message>
        <message>
            <source>研讨结束</source>
            <translation>End Variation</translation>
        </message>
        <message>
            <source>悔棋</source>
            <translation>Undo Last Move</translation>
        </message>
        <message>
            <source>悔到当前位置</source>
            <translation>Delete Moves After This</translation>
        </message>
        <message>
            <source>设置当前状态为黑下</source>
            <translation>Black to Play</translation>
        </message>
        <message>
            <source>设置当前状态为白下</source>
            <translation>White to Play</translation>
        </message>
        <message>
            <source>交替走子</source>
            <translation>Play Alternately</translation>
        </message>
        <message>
            <source>掩码操作</source>
            <translation>Mask Points</translation>
        </message>
        <message>
            <source>标记死子</source>
            <translation>Mark Dead Stones</translation>
        </message>
        <message>
            <source>添加文字</source>
            <translation>Add Letter</translation>
        </message>
        <message>
            <source>添加圆圈</source>
            <translation>Add Circle</translation>
        </message>
        <message>
            <source>添加叉</source>
            <translation>Add Cross</translation>
        </message>
        <message>
            <source>添加方块</source>
            <translation>Add Square</translation>
        </message>
        <message>
            <source>添加三角</source>
            <translation>Add Triangle</translation>
        </message>
        <message>
            <source>删除标记</source>
            <translation>Remove Mark</translation>
        </message>
        <message>
            <source>删除所有标记</source>
            <translation>Remove All Marks</translation>
        </message>
        <message>
            <source>全部掩盖</source>
            <translation>Mask All</translation>
        </message>
        <message>
            <source>全部显示</source>
            <translation>Unmask All</translation>
        </message>
        <message>
            <source>反转掩码</source>
            <translation>Invert Mask</translation>
        </message>
        <message>
            <source>选者矩形区域</source>
            <translation>Select Rectangle</translation>
        </message>
        <message>
            <source>导入棋盘图象</source>
            <translation>Import Board Picture...</translation>
        </message>
        <message>
            <source>不显示手数</source>
            <translation>No Move Numbers</translation>
        </message>
        <message>
            <source>显示最后一手</source>
            <translation>Number the Last Move</translation>
        </message>
        <message>
            <source>显示最后5手</source>
            <translation>Number the Last 5 Moves</translation>
        </message>
        <message>
            <source>显示最后50手</source>
            <translation>Number the Last 50 Moves</translation>
        </message>
        <message>
            <source>显示所有手数</source>
            <translation>Number All Moves</translation>
        </message>
        <message>
            <source>调整显示手数</source>
            <translation>Cycle Move Numbers</translation>
        </message>
        <message>
            <source>水平翻转</source>
            <translation>Flip Horizontally</translation>
        </message>
        <message>
            <source>垂直翻转</source>
            <translation>Flip Vertically</translation>
        </message>
        <message>
            <source>交换XY</source>
            <translation>Swap X and Y</translation>
        </message>
        <message>
            <source>顺时针旋转90度</source>
            <translation>Rotate Clockwise</translation>
        </message>
        <message>
            <source>逆时针旋转90度</source>
            <translation>Rotate Counterclockwise</translation>
        </message>
        <message>
            <source>恢复原始坐标</source>
            <translation>Original Orientation</translation>
        </message>
        <message>
            <source>显示解说信息</source>
            <translation>Show Comments and Markup</translation>
        </message>
        <message>
            <source>显示全局知识库信息</source>
            <translation>Show Whole-Board Knowledge</translation>
        </message>
        <message>
            <source>显示全局统计分析信息</source>
            <translation>Show Whole-Board Statistics</translation>
        </message>
        <message>
            <source>显示局部统计分析信息</source>
            <translation>Show Local Statistics</translation>
        </message>
        <message>
            <source>开始新局(独自摆棋)</source>
            <translation>New Game</translation>
        </message>
        <message>
            <source>第一个棋谱</source>
            <translation>First Record</translation>
        </message>
        <message>
            <source>上一个棋谱</source>
            <translation>Previous Record</translation>
        </message>
        <message>
            <source>下一个棋谱</source>
            <translation>Next Record</translation>
        </message>
        <message>
            <source>最后一个棋谱</source>
            <translation>Last Record</translation>
        </message>
        <message>
            <source>随机选择棋谱</source>
            <translation>Random Record</translation>
        </message>
        <message>
            <source>点算胜负</source>
            <translation>Count the Score</translation>
        </message>
        <message>
            <source>标记为未读棋谱</source>
            <translation>Mark as Unread</translation>
        </message>
        <message>
            <source>标记为已读棋谱</source>
            <translation>Mark as Read</translation>
        </message>
        <message>
            <source>标记为热门棋谱</source>
            <translation>Mark as Popular</translation>
        </message>
        <message>
            <source>解说</source>
            <translation> [comment]</translation>
        </message>
        <message>
            <source>无信息</source>
            <translation>Empty node</translation>
        </message>
        <message>
            <source>分枝</source>
            <translation>Variation </translation>
        </message>
        <message>
            <source>规则</source>
            <translation>Rules...</translation>
        </message>
        <message>
            <source>编辑棋谱描述信息</source>
            <translation>Game Information...</translation>
        </message>
        <message>
            <source>后退</source>
            <translation>Step Back</translation>
        </message>
        <message>
            <source>正解</source>
            <translation>Show Answer</translation>
        </message>
        <message>
            <source>重做</source>
            <translation>Start Over</translation>
        </message>
        <message>
            <source>提示</source>
            <translation>Hint</translation>
        </message>
        <message>
            <source>一人研究</source>
            <translation>Play Both Sides</translation>
        </message>
        <message>
            <source>显示分枝</source>
            <translation>Show Branches</translation>
        </message>
        <message>
            <source>随机坐标变换</source>
            <translation>Random Orientation</translation>
        </message>
        <message>
            <source>题目</source>
            <translation>Problem</translation>
        </message>
        <message>
            <source>答对</source>
            <translation>solved</translation>
        </message>
        <message>
            <source>答错</source>
            <translation>missed</translation>
        </message>
        <message>
            <source>答对了!</source>
            <translation>Right!</translation>
        </message>
        <message>
            <source>答错了, 再试一次</source>
            <translation>Wrong. Try again</translation>
        </message>
        <message>
            <source>复制棋盘图片</source>
            <translation>Copy Board Picture</translation>
        </message>
        <message>
            <source>导出棋盘图片...</source>
            <translation>Export Board Picture...</translation>
        </message>
        <message>
            <source>节点属性...</source>
            <translation>Node Properties...</translation>
        </message>
        <message>
            <source>对弈</source>
            <comment>tool bar</comment>
            <translation>Play</translation>
        </message>
        <message>
            <source>后退</source>
            <comment>tool bar</comment>
            <translation>Back</translation>
        </message>
        <message>
            <source>正解</source>
            <comment>tool bar</comment>
            <translation>Answer</translation>
        </message>
        <message>
            <source>一人研究</source>
            <comment>tool bar</comment>
            <translation>Both Sides</translation>
        </message>
        <message>
            <source>显示分枝</source>
            <comment>tool bar</comment>
            <translation>Branches</translation>
        </message>
        <message>
            <source>随机坐标变换</source>
            <comment>tool bar</comment>
            <translation>Random</translation>
        </message>
    </context>
    <context>
        <name>tessera::BoardPropertiesDialog</name>
        <message>
            <source>棋盘属性设置</source>
            <translation>Board Properties</translation>
        </message>
        <message>
            <source>显示坐标</source>
            <translation>Show coordinates</translation>
        </message>
        <message>
            <source>显示棋盘边框</source>
            <translation>Show the board frame</translation>
        </message>
        <message>
            <source>加粗棋盘边线</source>
            <translation>Draw the edge lines heavier</translation>
        </message>
        <message>
            <source>保存为默认配置</source>
            <translation>Save as default</translation>
        </message>
        <message>
            <source>棋盘风格:</source>
            <translation>Board style:</translation>
        </message>
        <message>
            <source>棋盘亮度:</source>
            <translation>Board brightness:</translation>
        </message>
        <message>
            <source>应用</source>
            <translation>Apply</translation>
        </message>
        <message>
            <source>使用默认配置</source>
            <translation>Use Defaults</translation>
        </message>
        <message>
            <source>传统显示风格</source>
            <translation>Traditional style</translation>
        </message>
        <message>
            <source>Marble风格</source>
            <translation>Marble style</translation>
        </message>
        <message>
            <source>简朴风格</source>
            <translation>Simple style</translation>
        </message>
    </context>
    <context>
        <name>tessera::GameInfoDialog</name>
        <message>
            <source>编辑棋谱描述信息</source>
            <translation>Game Information</translation>
        </message>
        <message>
            <source>不在棋谱库中</source>
            <translation>Not in the library</translation>
        </message>
        <message>
            <source>棋谱库编号:</source>
            <translation>Library number:</translation>
        </message>
        <message>
            <source>语言类型:</source>
            <translation>Language:</translation>
        </message>
        <message>
            <source>应用类型:</source>
            <translation>Kind of record:</translation>
        </message>
        <message>
            <source>棋盘宽度:</source>
            <translation>Board width:</translation>
        </message>
        <message>
            <source>棋盘高度:</source>
            <translation>Board height:</translation>
        </message>
        <message>
            <source>总手数:</source>
            <translation>Number of moves:</translation>
        </message>
        <message>
            <source>棋谱</source>
            <translation>Record</translation>
        </message>
        <message>
            <source>比赛名称:</source>
            <translation>Event:</translation>
        </message>
        <message>
            <source>比赛等级:</source>
            <translation>Event level:</translation>
        </message>
        <message>
            <source>对局名称:</source>
            <translation>Game name:</translation>
        </message>
        <message>
            <source>日期:</source>
            <translation>Date:</translation>
        </message>
        <message>
            <source>地点:</source>
            <translation>Place:</translation>
        </message>
        <message>
            <source>媒介类型:</source>
            <translation>Medium:</translation>
        </message>
        <message>
            <source>用时:</source>
            <translation>Time limit:</translation>
        </message>
        <message>
            <source>比赛</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>规则说明:</source>
            <translation>Rules text:</translation>
        </message>
        <message>
            <source>规则类型:</source>
            <translation>Rule type:</translation>
        </message>
        <message>
            <source>贴目:</source>
            <translation>Komi:</translation>
        </message>
        <message>
            <source>让子数:</source>
            <translation>Handicap:</translation>
        </message>
        <message>
            <source>规则</source>
            <translation>Rules</translation>
        </message>
        <message>
            <source>黑方:</source>
            <translation>Black:</translation>
        </message>
        <message>
            <source>黑方段位:</source>
            <translation>Black rank:</translation>
        </message>
        <message>
            <source>黑方类型:</source>
            <translation>Black is:</translation>
        </message>
        <message>
            <source>白方:</source>
            <translation>White:</translation>
        </message>
        <message>
            <source>白方段位:</source>
            <translation>White rank:</translation>
        </message>
        <message>
            <source>白方类型:</source>
            <translation>White is:</translation>
        </message>
        <message>
            <source>对局者</source>
            <translation>Players</translation>
        </message>
        <message>
            <source>结果:</source>
            <translation>Result:</translation>
        </message>
        <message>
            <source>结果类型:</source>
            <translation>Outcome:</translation>
        </message>
        <message>
            <source>记录者:</source>
            <translation>Recorded by:</translation>
        </message>
        <message>
            <source>来源:</source>
            <translation>Source:</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>错误的棋盘尺寸</source>
            <translation>The board size is not valid.</translation>
        </message>
    </context>
    <context>
        <name>tessera::ImageImportDialog</name>
        <message>
            <source>导入棋盘图象</source>
            <translation>Import Board Picture</translation>
        </message>
        <message>
            <source>粘贴图象</source>
            <translation>Paste Picture</translation>
        </message>
        <message>
            <source>打开图象文件</source>
            <translation>Open Picture File</translation>
        </message>
        <message>
            <source>转换</source>
            <translation>Read Stones</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>%1 路</source>
            <translation>%1 x %1</translation>
        </message>
        <message>
            <source>当前该谁走: </source>
            <translation>To play: </translation>
        </message>
        <message>
            <source>棋盘: </source>
            <translation>Board: </translation>
        </message>
        <message>
            <source>导入图象后, 请用鼠标左键标记棋盘位置( 棋盘对角位置), 右键重新标记. </source>
            <translation>After loading a picture, mark two opposite corners of the board's grid with the left mouse button; the right button starts the marking again.</translation>
        </message>
        <message>
            <source>找到 %1 路棋盘. 角不对时请用鼠标重新标记, 然后按“转换”.</source>
            <translation>Found a %1 x %1 board. If the corners are wrong, mark them again with the mouse; then press Read Stones.</translation>
        </message>
        <message>
            <source>没有找到棋盘, 请用鼠标标记棋盘的两个对角.</source>
            <translation>No board found. Mark two opposite corners of the grid with the mouse.</translation>
        </message>
        <message>
            <source>无法读取图象文件 %1: %2</source>
            <translation>Cannot read the picture file %1: %2</translation>
        </message>
        <message>
            <source>JPEG (*.jpg *.jpeg);;PNG (*.png);;BMP (*.bmp);;所有文件 (*)</source>
            <translation>JPEG (*.jpg *.jpeg);;PNG (*.png);;BMP (*.bmp);;All files (*)</translation>
        </message>
        <message>
            <source>剪贴板里没有图象.</source>
            <translation>The clipboard holds no picture.</translation>
        </message>
        <message>
            <source>请先导入图象并标记棋盘的两个对角.</source>
            <translation>Load a picture and mark two opposite corners of the grid first.</translation>
        </message>
        <message>
            <source>黑子 %1, 白子 %2.</source>
            <translation>%1 black stones, %2 white stones.</translation>
        </message>
    </context>
    <context>
        <name>tessera::LanguageDialog</name>
        <message>
            <source>选择语言</source>
            <translation>Choose Language</translation>
        </message>
        <message>
            <source>英文</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文(GB)</source>
            <translation>Simplified Chinese (GB)</translation>
        </message>
        <message>
            <source>繁体中文(BIG5)</source>
            <translation>Traditional Chinese (Big5)</translation>
        </message>
        <message>
            <source>语言的设置将会在程序重启的时候有效.</source>
            <translation>The new language takes effect the next time the program starts.</translation>
        </message>
    </context>
    <context>
        <name>tessera::MainWindow</name>
        <message>
            <source>棋室</source>
            <translation>Room</translation>
        </message>
        <message>
            <source>新建棋室(&amp;N)</source>
            <translation>&amp;New Room</translation>
        </message>
        <message>
            <source>打开一个新的棋室</source>
            <translation>Open a new room with an empty board</translation>
        </message>
        <message>
            <source>打开棋谱(&amp;O)...</source>
            <translation>&amp;Open Record...</translation>
        </message>
        <message>
            <source>保存为SGG棋谱(&amp;S)...</source>
            <translation>&amp;Save as SGG...</translation>
        </message>
        <message>
            <source>导出为SGF棋谱(&amp;E)...</source>
            <translation>&amp;Export as SGF...</translation>
        </message>
        <message>
            <source>第三方工具---转Multigo打谱</source>
            <translation>Open in External Editor (Multigo)</translation>
        </message>
        <message>
            <source>关闭所有窗口</source>
            <translation>Close All Rooms</translation>
        </message>
        <message>
            <source>保持窗体在最前面</source>
            <translation>Keep Window on Top</translation>
        </message>
        <message>
            <source>落子声</source>
            <translation>Stone Sounds</translation>
        </message>
        <message>
            <source>主工具栏</source>
            <translation>Main Toolbar</translation>
        </message>
        <message>
            <source>工具栏--打谱</source>
            <translation>Replay Toolbar</translation>
        </message>
        <message>
            <source>工具栏--编辑</source>
            <translation>Edit Toolbar</translation>
        </message>
        <message>
            <source>工具栏--练习</source>
            <translation>Practice Toolbar</translation>
        </message>
        <message>
            <source>工具栏--对弈</source>
            <translation>Play Toolbar</translation>
        </message>
        <message>
            <source>棋室信息</source>
            <translation>Room Tabs</translation>
        </message>
        <message>
            <source>对局信息</source>
            <translation>Game Information</translation>
        </message>
        <message>
            <source>提示信息</source>
            <translation>Hints</translation>
        </message>
        <message>
            <source>文件(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>退出(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>编辑(&amp;E)</source>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>移动(&amp;M)</source>
            <translation>&amp;Move</translation>
        </message>
        <message>
            <source>游戏(&amp;G)</source>
            <translation>&amp;Game</translation>
        </message>
        <message>
            <source>查看(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>主工具栏(&amp;T)</source>
            <translation>Main &amp;Toolbar</translation>
        </message>
        <message>
            <source>状态栏(&amp;S)</source>
            <translation>&amp;Status Bar</translation>
        </message>
        <message>
            <source>对局信息(&amp;G)</source>
            <translation>&amp;Game Information</translation>
        </message>
        <message>
            <source>棋室信息(&amp;R)</source>
            <translation>&amp;Room Tabs</translation>
        </message>
        <message>
            <source>设置(&amp;S)</source>
            <translation>&amp;Settings</translation>
        </message>
        <message>
            <source>系统设置</source>
            <translation>System Settings</translation>
        </message>
        <message>
            <source>棋盘属性设置</source>
            <translation>Board Properties</translation>
        </message>
        <message>
            <source>语言</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>中文</source>
            <translation>Chinese (follow the system)</translation>
        </message>
        <message>
            <source>英文(English)</source>
            <translation>English</translation>
        </message>
        <message>
            <source>选择语言...</source>
            <translation>Choose Language...</translation>
        </message>
        <message>
            <source>窗口(&amp;W)</source>
            <translation>&amp;Window</translation>
        </message>
        <message>
            <source>层叠窗口</source>
            <translation>Cascade</translation>
        </message>
        <message>
            <source>平铺窗口</source>
            <translation>Tile</translation>
        </message>
        <message>
            <source>打开棋谱</source>
            <translation>Open Record</translation>
        </message>
        <message>
            <source>棋谱文件 (*.sgf *.gib *.sgg *.SGF *.GIB *.SGG);;所有文件 (*)</source>
            <translation>Game records (*.sgf *.gib *.sgg *.SGF *.GIB *.SGG);;All files (*)</translation>
        </message>
        <message>
            <source>最多只能打开10个棋室.</source>
            <translation>No more than 10 rooms can be open at once.</translation>
        </message>
        <message>
            <source>棋谱 %1 的第 %2 手 (%3) 落在已有棋子的点上: 从这一手起的局面可能不对.</source>
            <translation>Move %2 (%3) of %1 lands on an occupied point: the positions from that move on may be wrong.</translation>
        </message>
        <message>
            <source>无法打开棋谱 %1: %2</source>
            <translation>Cannot open the record %1: %2</translation>
        </message>
        <message>
            <source>最近打开的棋谱</source>
            <translation>Recent Records</translation>
        </message>
        <message>
            <source>(无)</source>
            <translation>(none)</translation>
        </message>
        <message>
            <source>清除列表</source>
            <translation>Clear the List</translation>
        </message>
        <message>
            <source>语言的设置将会在程序重启的时候有效.</source>
            <translation>The new language takes effect the next time the program starts.</translation>
        </message>
        <message>
            <source>无法保存设置文件 %1</source>
            <translation>Cannot save the settings file %1</translation>
        </message>
        <message>
            <source>棋盘工具</source>
            <translation>Board Tools</translation>
        </message>
        <message>
            <source>手数显示</source>
            <translation>Move Numbers</translation>
        </message>
        <message>
            <source>坐标变换</source>
            <translation>Orientation</translation>
        </message>
        <message>
            <source>无名文件</source>
            <translation>Untitled</translation>
        </message>
        <message>
            <source>导出为SGF棋谱</source>
            <translation>Export as SGF</translation>
        </message>
        <message>
            <source>保存为SGG棋谱</source>
            <translation>Save as SGG</translation>
        </message>
        <message>
            <source>SGF棋谱 (*.sgf)</source>
            <translation>SGF records (*.sgf)</translation>
        </message>
        <message>
            <source>SGG棋谱 (*.sgg)</source>
            <translation>SGG records (*.sgg)</translation>
        </message>
        <message>
            <source>无法保存棋谱 %1: %2</source>
            <translation>Cannot save the record %1: %2</translation>
        </message>
        <message>
            <source>无法启动外部打谱程序 %1</source>
            <translation>Cannot start the external editor %1</translation>
        </message>
        <message>
            <source>工具栏--训练</source>
            <translation>Training Toolbar</translation>
        </message>
        <message>
            <source>死活和官子训练(&amp;T)</source>
            <translation>&amp;Training</translation>
        </message>
        <message>
            <source>新建棋室</source>
            <comment>tool bar</comment>
            <translation>New Room</translation>
        </message>
        <message>
            <source>打开棋谱</source>
            <comment>tool bar</comment>
            <translation>Open</translation>
        </message>
        <message>
            <source>保存为SGG棋谱</source>
            <comment>tool bar</comment>
            <translation>Save</translation>
        </message>
    </context>
    <context>
        <name>tessera::RoomWindow</name>
        <message>
            <source>解说</source>
            <translation>Comments</translation>
        </message>
        <message>
            <source>没有统计数据</source>
            <translation>No statistics for this position</translation>
        </message>
        <message>
            <source>查看详细统计信息</source>
            <translation>Show the Games Behind the Hints</translation>
        </message>
        <message>
            <source>无法保存规则设置</source>
            <translation>Cannot save the rule settings</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>比赛</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>对局</source>
            <translation>Game</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>地点</source>
            <translation>Place</translation>
        </message>
        <message>
            <source>贴目</source>
            <translation>Komi</translation>
        </message>
        <message>
            <source>让子</source>
            <translation>Handicap</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>无比赛信息</source>
            <translation>No game information</translation>
        </message>
        <message>
            <source>棋谱 %1 已修改，是否保存?</source>
            <translation>%1 has changed. Save the changes?</translation>
        </message>
        <message>
            <source>保存棋谱</source>
            <translation>Save Game Record</translation>
        </message>
        <message>
            <source>SGF棋谱 (*.sgf);;SGG棋谱 (*.sgg)</source>
            <translation>SGF records (*.sgf);;SGG records (*.sgg)</translation>
        </message>
        <message>
            <source>无名文件</source>
            <translation>Untitled</translation>
        </message>
        <message>
            <source>无法保存棋谱 %1: %2</source>
            <translation>Cannot save the record %1: %2</translation>
        </message>
    </context>
    <context>
        <name>tessera::RulesDialog</name>
        <message>
            <source>规则设置</source>
            <translation>Rules</translation>
        </message>
        <message>
            <source>中国规则</source>
            <translation>Chinese rules</translation>
        </message>
        <message>
            <source>日本规则</source>
            <translation>Japanese rules</translation>
        </message>
        <message>
            <source>韩国规则</source>
            <translation>Korean rules</translation>
        </message>
        <message>
            <source>保存为缺省规则</source>
            <translation>Save as default rules</translation>
        </message>
        <message>
            <source>规则类型: </source>
            <translation>Rule type:</translation>
        </message>
        <message>
            <source>贴子数:</source>
            <translation>Komi (stones):</translation>
        </message>
        <message>
            <source>贴目数:</source>
            <translation>Komi (points):</translation>
        </message>
    </context>
    <context>
        <name>tessera::SystemSettingsDialog</name>
        <message>
            <source>系统设置</source>
            <translation>System Settings</translation>
        </message>
        <message>
            <source>落子声</source>
            <translation>Stone sounds</translation>
        </message>
        <message>
            <source>提示音</source>
            <translation>Prompt sounds</translation>
        </message>
        <message>
            <source> 毫秒</source>
            <translation> ms</translation>
        </message>
        <message>
            <source>显示全局知识库信息</source>
            <translation>Show whole-board knowledge</translation>
        </message>
        <message>
            <source>显示全局统计分析信息</source>
            <translation>Show whole-board statistics</translation>
        </message>
        <message>
            <source>显示局部统计分析信息</source>
            <translation>Show local statistics</translation>
        </message>
        <message>
            <source>显示矩阵模式匹配(*)</source>
            <translation>Show matrix pattern matches (*)</translation>
        </message>
        <message>
            <source>训练时显示提示</source>
            <translation>Show hints during training</translation>
        </message>
        <message>
            <source>训练时显示答案分枝</source>
            <translation>Show answer branches during training</translation>
        </message>
        <message>
            <source>练习题随机变换方向</source>
            <translation>Random board orientation for problems</translation>
        </message>
        <message>
            <source>保存为默认配置</source>
            <translation>Save as default</translation>
        </message>
        <message>
            <source>声音与打谱</source>
            <translation>Sounds and replay</translation>
        </message>
        <message>
            <source>自动打谱间隔:</source>
            <translation>Auto replay interval:</translation>
        </message>
        <message>
            <source>统计分析</source>
            <translation>Statistics</translation>
        </message>
        <message>
            <source>全局统计显示比例:</source>
            <translation>Whole-board statistics shown:</translation>
        </message>
        <message>
            <source>局部统计显示比例:</source>
            <translation>Local statistics shown:</translation>
        </message>
        <message>
            <source>死活和官子训练</source>
            <translation>Life-and-death and endgame training</translation>
        </message>
    </context>
    <context>
        <name>EnginePlayer</name>
        <message>
            <source>无法启动围棋引擎 %s</source>
            <translation>Cannot start the Go engine %s</translation>
        </message>
        <message>
            <source>围棋引擎 %s 拒绝了命令 "%s": %s</source>
            <translation>The Go engine %s refused the command "%s": %s</translation>
        </message>
        <message>
            <source>围棋引擎 %s 的回答无法理解: %s</source>
            <translation>The Go engine %s gave an answer that makes no sense: %s</translation>
        </message>
        <message>
            <source>围棋引擎 %s 在 %d 秒内没有回答</source>
            <translation>The Go engine %s did not answer within %d seconds</translation>
        </message>
        <message>
            <source>围棋引擎 %s 意外退出</source>
            <translation>The Go engine %s stopped unexpectedly</translation>
        </message>
        <message>
            <source>围棋引擎 %s 下了不合法的一手: %s</source>
            <translation>The Go engine %s played an illegal move: %s</translation>
        </message>
        <message>
            <source>上一局的围棋引擎还没有停止, 请稍后再开始新的对局</source>
            <translation>The engine of the previous game has not stopped yet; start the new game again in a moment</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
    </context>
    <context>
        <name>RoomMatch</name>
        <message>
            <source>和棋</source>
            <translation>Draw</translation>
        </message>
        <message>
            <source>黑中盘胜</source>
            <translation>Black wins by resignation</translation>
        </message>
        <message>
            <source>白中盘胜</source>
            <translation>White wins by resignation</translation>
        </message>
        <message>
            <source>黑胜</source>
            <translation>Black wins by</translation>
        </message>
        <message>
            <source>白胜</source>
            <translation>White wins by</translation>
        </message>
        <message>
            <source>游戏结束</source>
            <translation>Game over</translation>
        </message>
        <message>
            <source>中断</source>
            <translation>interrupted</translation>
        </message>
        <message>
            <source>对局结束</source>
            <translation>Game over</translation>
        </message>
        <message>
            <source>对局进行中</source>
            <translation>Game in progress</translation>
        </message>
        <message>
            <source>白</source>
            <translation>White</translation>
        </message>
        <message>
            <source>黑</source>
            <translation>Black</translation>
        </message>
    </context>
    <context>
        <name>tessera::MatchSetupDialog</name>
        <message>
            <source>游戏设置</source>
            <translation>Game Settings</translation>
        </message>
        <message>
            <source>中国规则</source>
            <translation>Chinese rules</translation>
        </message>
        <message>
            <source>日本规则</source>
            <translation>Japanese rules</translation>
        </message>
        <message>
            <source>19*19 路( 标准棋盘 )</source>
            <translation>19 x 19 (standard board)</translation>
        </message>
        <message>
            <source>5 * 5 路棋盘</source>
            <translation>5 x 5 board</translation>
        </message>
        <message>
            <source>9 * 9 路棋盘</source>
            <translation>9 x 9 board</translation>
        </message>
        <message>
            <source>11*11 路棋盘</source>
            <translation>11 x 11 board</translation>
        </message>
        <message>
            <source>13*13 路棋盘</source>
            <translation>13 x 13 board</translation>
        </message>
        <message>
            <source>15*15 路棋盘</source>
            <translation>15 x 15 board</translation>
        </message>
        <message>
            <source>盲棋</source>
            <translation>Blindfold game</translation>
        </message>
        <message>
            <source>规则类型: </source>
            <translation>Rules: </translation>
        </message>
        <message>
            <source>让子 (0,2-9)</source>
            <translation>Handicap (0, 2-9)</translation>
        </message>
        <message>
            <source>棋盘大小(5-19)</source>
            <translation>Board size (5-19)</translation>
        </message>
        <message>
            <source>黑方: </source>
            <translation>Black: </translation>
        </message>
        <message>
            <source>白方: </source>
            <translation>White: </translation>
        </message>
        <message>
            <source>交换黑白双方</source>
            <translation>Swap Black and White</translation>
        </message>
        <message>
            <source>东方不败</source>
            <translation>Invincible East</translation>
        </message>
        <message>
            <source>蜘蛛侠</source>
            <translation>Spider-Man</translation>
        </message>
        <message>
            <source>人</source>
            <translation>Human</translation>
        </message>
        <message>
            <source>GNU Go + Tessera</source>
            <translation>GNU Go + Tessera</translation>
        </message>
        <message>
            <source>使用全局统计开局</source>
            <translation>Use the whole-board statistics for the opening</translation>
        </message>
        <message>
            <source>引擎程序: </source>
            <translation>Engine program: </translation>
        </message>
        <message>
            <source>GNU Go 级别 (1-10)</source>
            <translation>GNU Go level (1-10)</translation>
        </message>
        <message>
            <source>GNU Go设置: ( 1级(最低水平,  10级(最高水平 ) )</source>
            <translation>GNU Go level: 1 is the weakest, 10 the strongest</translation>
        </message>
        <message>
            <source>游戏者类型: </source>
            <translation>Player: </translation>
        </message>
        <message>
            <source>游戏者名: </source>
            <translation>Name: </translation>
        </message>
        <message>
            <source>选择围棋引擎</source>
            <translation>Choose the Go Engine</translation>
        </message>
        <message>
            <source>贴子数:</source>
            <translation>Komi (stones):</translation>
        </message>
        <message>
            <source>贴目数:</source>
            <translation>Komi (points):</translation>
        </message>
        <message>
            <source>只有棋盘大小为9,11,13,15,17或19的时候才支持让子棋!</source>
            <translation>Handicap games need a board of 9, 11, 13, 15, 17 or 19 lines.</translation>
        </message>
    </context>
    <context>
        <name>GameList</name>
        <message>
            <source>ID</source>
            <translation>ID</translation>
        </message>
        <message>
            <source>赛事</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>注解</source>
            <translation>Comments</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>黑方等级</source>
            <translation>Black Rank</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>白方等级</source>
            <translation>White Rank</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>注</source>
            <translation>Some</translation>
        </message>
        <message>
            <source>详注</source>
            <translation>Detailed</translation>
        </message>
        <message>
            <source>无</source>
            <translation>None</translation>
        </message>
    </context>
    <context>
        <name>tessera::LibrarySearchDialog</name>
        <message>
            <source>查询棋谱</source>
            <translation>Search Games</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>棋手</source>
            <translation>Player</translation>
        </message>
        <message>
            <source>赛事</source>
            <translation>Event</translation>
        </message>
        <message>
            <source>自定义索引</source>
            <translation>Custom Lists</translation>
        </message>
        <message>
            <source>SQL</source>
            <translation>SQL</translation>
        </message>
        <message>
            <source>最新棋谱</source>
            <translation>Latest games</translation>
        </message>
        <message>
            <source>查询某个时段的棋谱</source>
            <translation>Games of a period</translation>
        </message>
        <message>
            <source>无日期的棋谱</source>
            <translation>Undated games</translation>
        </message>
        <message>
            <source>开始日期(YYYYMMDD)</source>
            <translation>From (YYYYMMDD)</translation>
        </message>
        <message>
            <source>结束日期(YYYYMMDD)</source>
            <translation>To (YYYYMMDD)</translation>
        </message>
        <message>
            <source>所有</source>
            <translation>All</translation>
        </message>
        <message>
            <source>男</source>
            <translation>Male</translation>
        </message>
        <message>
            <source>女</source>
            <translation>Female</translation>
        </message>
        <message>
            <source>计算机</source>
            <translation>Computer</translation>
        </message>
        <message>
            <source>任意</source>
            <translation>Any</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>赢</source>
            <translation>Win</translation>
        </message>
        <message>
            <source>平</source>
            <translation>Draw</translation>
        </message>
        <message>
            <source>输</source>
            <translation>Loss</translation>
        </message>
        <message>
            <source>结果不详</source>
            <translation>Result unknown</translation>
        </message>
        <message>
            <source>执子</source>
            <translation>Colour</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>全部</source>
            <translation>All</translation>
        </message>
        <message>
            <source>ID</source>
            <translation>ID</translation>
        </message>
        <message>
            <source>姓名</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>性别</source>
            <translation>Sex</translation>
        </message>
        <message>
            <source>地区</source>
            <translation>Region</translation>
        </message>
        <message>
            <source>等级</source>
            <translation>Rank</translation>
        </message>
        <message>
            <source>生日</source>
            <translation>Birthday</translation>
        </message>
        <message>
            <source>SELECT * FROM GoFile WHERE (Black='古力' AND White='李世石') OR (Black='李世石' AND White='古力') ORDER BY GameDate</source>
            <translation>SELECT * FROM GoFile WHERE (Black='Gu Li' AND White='Lee Sedol') OR (Black='Lee Sedol' AND White='Gu Li') ORDER BY GameDate</translation>
        </message>
        <message>
            <source>导出到板块</source>
            <translation>Export Game List...</translation>
        </message>
        <message>
            <source>从板块中导入</source>
            <translation>Import Game List...</translation>
        </message>
        <message>
            <source>删除当前行</source>
            <translation>Delete Row</translation>
        </message>
        <message>
            <source>重新查询</source>
            <translation>New Search</translation>
        </message>
        <message>
            <source>文本文件 (*.txt)</source>
            <translation>Text files (*.txt)</translation>
        </message>
    </context>
    <context>
        <name>tessera::LibraryDesk</name>
        <message>
            <source>导入棋谱...</source>
            <translation>Import Games...</translation>
        </message>
        <message>
            <source>查询棋谱...</source>
            <translation>Search Games...</translation>
        </message>
        <message>
            <source>教程和题库...</source>
            <translation>Tutorials and Problems...</translation>
        </message>
        <message>
            <source>在线更新...</source>
            <translation>Online Update...</translation>
        </message>
        <message>
            <source>导入棋谱</source>
            <translation>Import Games</translation>
        </message>
        <message>
            <source>棋谱列表</source>
            <translation>Game List</translation>
        </message>
        <message>
            <source>棋谱库不能使用: %1</source>
            <translation>The game library cannot be used: %1</translation>
        </message>
        <message>
            <source>正在导入棋谱...</source>
            <translation>Importing games...</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>导入 %1 个棋谱, 重复 %2 个, 不能读取 %3 个</source>
            <translation>Imported %1 games, %2 duplicates, %3 files could not be read</translation>
        </message>
        <message>
            <source>导入已取消</source>
            <translation>The import was cancelled</translation>
        </message>
        <message>
            <source>教程和题库</source>
            <translation>Tutorials and Problems</translation>
        </message>
        <message>
            <source>导入题库...</source>
            <translation>Import Problem Book...</translation>
        </message>
        <message>
            <source>导入题库</source>
            <translation>Import Problem Book</translation>
        </message>
        <message>
            <source>这个题库没有题目</source>
            <translation>This book holds no problems</translation>
        </message>
        <message>
            <source>正在导入题目...</source>
            <translation>Importing problems...</translation>
        </message>
        <message>
            <source>不能建立题库 %1: %2</source>
            <translation>The book %1 could not be made: %2</translation>
        </message>
        <message>
            <source>题库 %1: %2 道题 (新导入 %3 道, 已有 %4 道, 不能读取 %5 个文件)</source>
            <translation>Book %1: %2 problems (%3 new, %4 already in the library, %5 files could not be read)</translation>
        </message>
    </context>
    <context>
        <name>tessera::ProblemBookDialog</name>
        <message>
            <source>选择练习题库</source>
            <translation>Choose a Problem Book</translation>
        </message>
        <message>
            <source>还没有题库. 用 "导入题库" 把一个文件夹的题目做成题库.</source>
            <translation>There are no problem books yet. "Import Problem Book" makes one from a folder of problems.</translation>
        </message>
    </context>
    <context>
        <name>tessera::BookImportDialog</name>
        <message>
            <source>导入题库</source>
            <translation>Import Problem Book</translation>
        </message>
        <message>
            <source>浏览...</source>
            <translation>Browse...</translation>
        </message>
        <message>
            <source>题目所在的文件夹</source>
            <translation>Folder of Problems</translation>
        </message>
        <message>
            <source>一人研究 (不自动应对)</source>
            <translation>Play both sides (no automatic replies)</translation>
        </message>
        <message>
            <source>文件夹:</source>
            <translation>Folder:</translation>
        </message>
        <message>
            <source>题库名称:</source>
            <translation>Name:</translation>
        </message>
        <message>
            <source>英文名称:</source>
            <translation>English title:</translation>
        </message>
        <message>
            <source>繁体名称:</source>
            <translation>Traditional Chinese title:</translation>
        </message>
    </context>
    <context>
        <name>tessera::OnlineUpdateDialog</name>
        <message>
            <source>在线更新</source>
            <translation>Online Update</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>没有配置更新服务器.</source>
            <translation>No update server is configured.</translation>
        </message>
        <message>
            <source>请在 custom/vantor.ini 的 [SETTING] 中用 OnLineUpdateURL 指定更新服务器的地址.</source>
            <translation>Set the address of the update server as OnLineUpdateURL in the [SETTING] section of custom/vantor.ini.</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>正在取消...</source>
            <translation>Cancelling...</translation>
        </message>
        <message>
            <source>不能更新: %1</source>
            <translation>The update cannot run: %1</translation>
        </message>
        <message>
            <source>更新已取消, 已完成的部分会保留, 下次更新将继续.</source>
            <translation>Update cancelled. What was finished is kept; the next update carries on from there.</translation>
        </message>
        <message>
            <source>更新完毕, 用时%1小时%2分%3秒</source>
            <translation>Update finished in %1 h %2 min %3 s</translation>
        </message>
        <message>
            <source>%1 个文件没有更新, 下次更新将再试.</source>
            <translation>%1 files were not updated; the next update will try them again.</translation>
        </message>
        <message>
            <source>正在下载棋谱库的补丁更新索引信息.</source>
            <translation>Downloading the list of library patches.</translation>
        </message>
        <message>
            <source>下载棋谱库的补丁索引信息失败!</source>
            <translation>The list of library patches could not be downloaded!</translation>
        </message>
        <message>
            <source>正在下载第%1号补丁文件</source>
            <translation>Downloading library patch %1</translation>
        </message>
        <message>
            <source>正在更新第%1号补丁文件-->棋谱库</source>
            <translation>Adding library patch %1 to the library</translation>
        </message>
        <message>
            <source>正在下载整个棋谱库</source>
            <translation>Downloading the whole library</translation>
        </message>
        <message>
            <source>正在下载 %1 个棋谱文件</source>
            <translation>Downloading %1 game files</translation>
        </message>
        <message>
            <source>正在分析要更新的文件.</source>
            <translation>Looking for files to update.</translation>
        </message>
        <message>
            <source>没有可用更新信息.</source>
            <translation>No updates available.</translation>
        </message>
        <message>
            <source>正在下载索引文件</source>
            <translation>Downloading the file index</translation>
        </message>
        <message>
            <source>正在生成更新文件列表</source>
            <translation>Listing the files to update</translation>
        </message>
        <message>
            <source>正在下载更新文件</source>
            <translation>Downloading</translation>
        </message>
        <message>
            <source>正在重新打开数据文件</source>
            <translation>Reopening the data files</translation>
        </message>
        <message>
            <source>失败: %1 (%2)</source>
            <translation>Failed: %1 (%2)</translation>
        </message>
    </context>
    <context>
        <name>PatternHints</name>
        <message>
            <source>总计</source>
            <translation>All</translation>
        </message>
        <message>
            <source>总</source>
            <translation>Games</translation>
        </message>
        <message>
            <source>赢</source>
            <translation>Won</translation>
        </message>
        <message>
            <source>负</source>
            <translation>Lost</translation>
        </message>
    </context>
    <context>
        <name>tessera::HintDetailsDialog</name>
        <message>
            <source>标记详细信息:</source>
            <translation>Hint details:</translation>
        </message>
        <message>
            <source>编号</source>
            <translation>ID</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>黑方</source>
            <translation>Black</translation>
        </message>
        <message>
            <source>白方</source>
            <translation>White</translation>
        </message>
        <message>
            <source>结果</source>
            <translation>Result</translation>
        </message>
        <message>
            <source>在新窗口中打开棋谱</source>
            <translation>Open the game in a new room</translation>
        </message>
        <message>
            <source>导出到板块</source>
            <translation>Export Game List...</translation>
        </message>
        <message>
            <source>文本文件 (*.txt)</source>
            <translation>Text files (*.txt)</translation>
        </message>
        <message>
            <source>无法写入文件 %1</source>
            <translation>Cannot write the file %1</translation>
        </message>
    </context>
    <context>
        <name>tessera::PatternDesk</name>
        <message>
            <source>生成统计数据...</source>
            <translation>Build Pattern Statistics...</translation>
        </message>
        <message>
            <source>生成统计数据</source>
            <translation>Build Pattern Statistics</translation>
        </message>
        <message>
            <source>棋谱库无法打开</source>
            <translation>The game library cannot be opened</translation>
        </message>
        <message>
            <source>正在生成统计数据...</source>
            <translation>Building the pattern statistics...</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>生成统计数据已取消</source>
            <translation>The build was cancelled; the old statistics are kept</translation>
        </message>
        <message>
            <source>无法生成统计数据: %1</source>
            <translation>The statistics could not be built: %1</translation>
        </message>
        <message>
            <source>%1 个棋谱: 全局 %2 个局面, 局部 %3 个局面</source>
            <translation>%1 games: %2 whole-board positions, %3 local positions</translation>
        </message>
        <message>
            <source>生成知识库...</source>
            <translation>Build Knowledge Base...</translation>
        </message>
        <message>
            <source>选择带注释的棋谱</source>
            <translation>Choose Annotated Game Records</translation>
        </message>
        <message>
            <source>棋谱 (*.sgf *.gib *.sgg);;所有文件 (*)</source>
            <translation>Game records (*.sgf *.gib *.sgg);;All files (*)</translation>
        </message>
        <message>
            <source>生成知识库</source>
            <translation>Build Knowledge Base</translation>
        </message>
        <message>
            <source>正在生成知识库...</source>
            <translation>Building the knowledge base...</translation>
        </message>
        <message>
            <source>生成知识库已取消</source>
            <translation>Building the knowledge base was cancelled</translation>
        </message>
        <message>
            <source>无法生成知识库: %1</source>
            <translation>Cannot build the knowledge base: %1</translation>
        </message>
        <message>
            <source>%1 个棋谱: %2 条知识</source>
            <translation>%1 game records: %2 knowledge entries</translation>
        </message>
        <message>
            <source>无法读取 %1 个文件:</source>
            <translation>%1 files could not be read:</translation>
        </message>
    </context>
    <context>
        <name>tessera::BoardPictureDialog</name>
        <message>
            <source>导出棋盘图片</source>
            <translation>Export Board Picture</translation>
        </message>
        <message>
            <source> 像素</source>
            <translation> px</translation>
        </message>
        <message>
            <source>显示坐标</source>
            <translation>Show coordinates</translation>
        </message>
        <message>
            <source>显示手数</source>
            <translation>Show move numbers</translation>
        </message>
        <message>
            <source>图片大小:</source>
            <translation>Picture size:</translation>
        </message>
        <message>
            <source>保存...</source>
            <translation>Save...</translation>
        </message>
        <message>
            <source>复制</source>
            <translation>Copy</translation>
        </message>
        <message>
            <source>无法保存图片 %1</source>
            <translation>Cannot save the picture %1</translation>
        </message>
        <message>
            <source>PNG 图片 (*.png);;SVG 图形 (*.svg)</source>
            <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
        </message>
    </context>
    <context>
        <name>tessera::NodeDialog</name>
        <message>
            <source>节点属性</source>
            <translation>Node Properties</translation>
        </message>
        <message>
            <source>节点名称:</source>
            <translation>Name:</translation>
        </message>
        <message>
            <source>着法标签:</source>
            <translation>Move tag:</translation>
        </message>
        <message>
            <source>形势判断:</source>
            <translation>Evaluation:</translation>
        </message>
    </context>
    <context>
        <name>PatternSearch</name>
        <message>
            <source>总</source>
            <translation>Games</translation>
        </message>
        <message>
            <source>赢</source>
            <translation>Won</translation>
        </message>
    </context>
    <context>
        <name>ProgressDialog</name>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>FailureReason</name>
        <message>
            <source>文件不存在</source>
            <translation>the file does not exist</translation>
        </message>
        <message>
            <source>没有访问权限</source>
            <translation>permission denied</translation>
        </message>
        <message>
            <source>文件或文件系统只读</source>
            <translation>the file or its file system is read-only</translation>
        </message>
        <message>
            <source>磁盘空间不足</source>
            <translation>the disk is full</translation>
        </message>
        <message>
            <source>这是一个文件夹, 不是文件</source>
            <translation>this is a folder, not a file</translation>
        </message>
        <message>
            <source>不是 SGF、GIB 或 SGG 棋谱文件</source>
            <translation>not an SGF, GIB or SGG game record</translation>
        </message>
        <message>
            <source>棋谱只能保存为 .sgf 或 .sgg 文件</source>
            <translation>game records are saved as .sgf or .sgg files</translation>
        </message>
        <message>
            <source>文件太大</source>
            <translation>the file is too large</translation>
        </message>
        <message>
            <source>棋谱库正被其他程序使用</source>
            <translation>the library is in use by another program</translation>
        </message>
        <message>
            <source>网络连接超时</source>
            <translation>the connection timed out</translation>
        </message>
        <message>
            <source>找不到服务器</source>
            <translation>the server was not found</translation>
        </message>
        <message>
            <source>无法连接服务器</source>
            <translation>cannot connect to the server</translation>
        </message>
        <message>
            <source>服务器拒绝了请求</source>
            <translation>the server refused the request</translation>
        </message>
        <message>
            <source>下载的文件已损坏</source>
            <translation>the downloaded file is damaged</translation>
        </message>
        <message>
            <source>已取消</source>
            <translation>cancelled</translation>
        </message>
        <message>
            <source>无法写入文件</source>
            <translation>cannot write the file</translation>
        </message>
        <message>
            <source>无法打开文件</source>
            <translation>cannot open the file</translation>
        </message>
        <message>
            <source>无法读取文件</source>
            <translation>cannot read the file</translation>
        </message>
        <message>
            <source>数据有误, 无法处理 (详细原因已写入日志 log.txt)</source>
            <translation>the data is damaged and cannot be used (the details are in log.txt)</translation>
        </message>
    </context>
    <context>
        <name>PatternSearchWindow</name>
        <message>
            <source>模式动态统计分析:</source>
            <translation>Pattern Search in the Library</translation>
        </message>
        <message>
            <source>全部棋谱</source>
            <translation>All games</translation>
        </message>
        <message>
            <source>对局谱</source>
            <translation>Game records</translation>
        </message>
        <message>
            <source>教程和练习题</source>
            <translation>Tutorials and exercises</translation>
        </message>
        <message>
            <source>开始搜索</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>暂停</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>继续</source>
            <translation>Resume</translation>
        </message>
        <message>
            <source>停止</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>刷新界面</source>
            <translation>Refresh</translation>
        </message>
        <message>
            <source>在新窗口中打开棋谱</source>
            <translation>Open the game in a new room</translation>
        </message>
        <message>
            <source>导出到板块</source>
            <translation>Export Game List...</translation>
        </message>
        <message>
            <source>文本文件 (*.txt)</source>
            <translation>Text files (*.txt)</translation>
        </message>
        <message>
            <source>无法写入文件 %1</source>
            <translation>Cannot write the file %1</translation>
        </message>
        <message>
            <source>局部搜索: 棋盘上未掩盖的 %1 个点</source>
            <translation>Region search: the %1 points the mask leaves visible</translation>
        </message>
        <message>
            <source>全盘搜索</source>
            <translation>Whole-board search</translation>
        </message>
        <message>
            <source>棋谱库无法打开</source>
            <translation>The game library cannot be opened</translation>
        </message>
        <message>
            <source>已暂停</source>
            <translation>paused</translation>
        </message>
        <message>
            <source>搜索完毕</source>
            <translation>finished</translation>
        </message>
        <message>
            <source>总谱</source>
            <translation>Games</translation>
        </message>
        <message>
            <source>已搜索</source>
            <translation>Searched</translation>
        </message>
        <message>
            <source>用时</source>
            <translation>Time</translation>
        </message>
        <message>
            <source>分</source>
            <translation>min</translation>
        </message>
    </context>
    <context>
        <name>PatternDesk</name>
        <message>
            <source>搜索棋型...</source>
            <translation>Search Pattern...</translation>
        </message>
    </context>
    <context>
        <name>RoomWindow</name>
        <message>
            <source>搜索棋型</source>
            <translation>Search Pattern</translation>
        </message>
    </context>
</TS>
