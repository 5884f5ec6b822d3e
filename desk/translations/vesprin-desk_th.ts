<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="th_TH" sourcelanguage="en">
<context>
    <name>vesprin::BirthEntry</name>
    <message>
        <source>Name as it is printed</source>
        <translation>ชื่อตามที่จะพิมพ์บนแผ่นดวง</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>ชาย</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>หญิง</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;ชื่อ</translation>
    </message>
    <message>
        <source>&amp;Born</source>
        <translation>วัน&amp;เกิด</translation>
    </message>
    <message>
        <source>&amp;Time</source>
        <translation>เ&amp;วลา</translation>
    </message>
    <message>
        <source>Pregnancy (months)</source>
        <translation>ตั้งครรภ์ (เดือน)</translation>
    </message>
    <message>
        <source>&amp;Gender</source>
        <translation>เ&amp;พศ</translation>
    </message>
    <message>
        <source>Month &amp;strip year</source>
        <translation>ปีของแถบ&amp;เดือน</translation>
    </message>
    <message>
        <source>BE</source>
        <translation>พ.ศ.</translation>
    </message>
    <message>
        <source>AD %1 → BE %2</source>
        <translation>ค.ศ. %1 → พ.ศ. %2</translation>
    </message>
    <message>
        <source>The name cannot hold "%1" (Thai and Latin letters only)</source>
        <translation>ชื่อมีอักษร "%1" ที่ใช้ไม่ได้ (ใช้ได้เฉพาะอักษรไทยและอังกฤษ)</translation>
    </message>
    <message>
        <source>Type the year of birth (Buddhist Era; a Christian-Era year is converted)</source>
        <translation>พิมพ์ปีเกิดเป็น พ.ศ. (พิมพ์ ค.ศ. จะแปลงให้)</translation>
    </message>
    <message>
        <source>The year must be a Buddhist-Era year from %1 to %2</source>
        <translation>ปีเกิดต้องเป็น พ.ศ. %1 ถึง %2</translation>
    </message>
    <message>
        <source>AD %1</source>
        <translation>ค.ศ. %1</translation>
    </message>
    <message>
        <source>No such day: %1 has no day %2 (วันเดือนปีเกิดไม่ถูกต้อง)</source>
        <translation>วันเดือนปีเกิดไม่ถูกต้อง: เดือน%1ไม่มีวันที่ %2</translation>
    </message>
</context>
<context>
    <name>vesprin::DecorationsPanel</name>
    <message>
        <source>Very cold</source>
        <translation>เย็นมาก</translation>
    </message>
    <message>
        <source>Cold group</source>
        <translation>กลุ่มเย็น</translation>
    </message>
    <message>
        <source>Balanced</source>
        <translation>สมดุล</translation>
    </message>
    <message>
        <source>Hot group</source>
        <translation>กลุ่มร้อน</translation>
    </message>
    <message>
        <source>Very hot</source>
        <translation>ร้อนมาก</translation>
    </message>
    <message>
        <source>Earth</source>
        <translation>ดิน</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>ทอง</translation>
    </message>
    <message>
        <source>Water</source>
        <translation>น้ำ</translation>
    </message>
    <message>
        <source>Wood</source>
        <translation>ไม้</translation>
    </message>
    <message>
        <source>Fire</source>
        <translation>ไฟ</translation>
    </message>
    <message>
        <source>year and month</source>
        <translation>ปีกับเดือน</translation>
    </message>
    <message>
        <source>month and day</source>
        <translation>เดือนกับวัน</translation>
    </message>
    <message>
        <source>day and time</source>
        <translation>วันกับยาม</translation>
    </message>
    <message>
        <source>&amp;Powers and balance</source>
        <translation>&amp;กำลังธาตุ</translation>
    </message>
    <message>
        <source>&amp;Marks and clashes</source>
        <translation>เส้น&amp;สัมพันธ์และปะทะ</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;หมายเหตุ</translation>
    </message>
    <message>
        <source>Print the element-group power text</source>
        <translation>พิมพ์ข้อความกำลังธาตุของกลุ่มดิถีและกลุ่มบริวาร</translation>
    </message>
    <message>
        <source>Figures from the chart (element powers and day master of the cast)</source>
        <translation>ใช้ตัวเลขจากดวง (กำลังธาตุและธาตุดิถีของดวงนี้)</translation>
    </message>
    <message>
        <source>Day master</source>
        <translation>ดิถี</translation>
    </message>
    <message>
        <source>&amp;Balance panel</source>
        <translation>แผง&amp;สมดุล</translation>
    </message>
    <message>
        <source>Day-master group</source>
        <translation>กลุ่มดิถี</translation>
    </message>
    <message>
        <source>Entourage group</source>
        <translation>กลุ่มบริวาร</translation>
    </message>
    <message>
        <source>Climate</source>
        <translation>ร้อน-เย็น</translation>
    </message>
    <message>
        <source>Hot</source>
        <translation>ร้อน</translation>
    </message>
    <message>
        <source>Cold</source>
        <translation>เย็น</translation>
    </message>
    <message>
        <source>e.g. 55%</source>
        <translation>เช่น 55%</translation>
    </message>
    <message>
        <source>First share</source>
        <translation>ส่วนแรก</translation>
    </message>
    <message>
        <source>Second share</source>
        <translation>ส่วนที่สอง</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>เส้นทึบ</translation>
    </message>
    <message>
        <source>Dotted</source>
        <translation>เส้นประ</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>แดงเลือดหมู</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>เขียวมะกอก</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>น้ำเงิน</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>เขียว</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>แดง</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>เส้น</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Clear marks</source>
        <translation>ลบเส้นทั้งหมด</translation>
    </message>
    <message>
        <source>Clash pictures</source>
        <translation>รูปปะทะ</translation>
    </message>
    <message>
        <source>Clash between %1</source>
        <translation>ปะทะระหว่าง%1</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>ใช้</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ไม่ใช้</translation>
    </message>
    <message>
        <source>Analysis note, printed beside the bulb (empty: no note)</source>
        <translation>หมายเหตุการวิเคราะห์ พิมพ์ข้างรูปหลอดไฟ (เว้นว่างไว้ถ้าไม่ต้องการ)</translation>
    </message>
    <message>
        <source>The chart shows %1%2: a clash?</source>
        <translation>ดวงมี %1%2 ปะทะกัน จะใส่รูปปะทะหรือไม่</translation>
    </message>
    <message>
        <source>These two lower signs do not clash</source>
        <translation>นักษัตรสองตัวนี้ไม่ปะทะกัน</translation>
    </message>
</context>
<context>
    <name>vesprin::DeskWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>แ&amp;ฟ้ม</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>คำสั่ง</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;พิมพ์</translation>
    </message>
    <message>
        <source>Print &amp;to…</source>
        <translation>พิมพ์&amp;ที่เครื่องอื่น…</translation>
    </message>
    <message>
        <source>Save as P&amp;DF…</source>
        <translation>บันทึกเป็น P&amp;DF…</translation>
    </message>
    <message>
        <source>Write &amp;hand-over files…</source>
        <translation>เขียนไฟล์&amp;ส่งต่อ…</translation>
    </message>
    <message>
        <source>Save &amp;client</source>
        <translation>บันทึก&amp;ลูกค้า</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;ออก</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;มุมมอง</translation>
    </message>
    <message>
        <source>Fit &amp;width</source>
        <translation>พอดี&amp;ความกว้าง</translation>
    </message>
    <message>
        <source>&amp;100 %</source>
        <translation>&amp;100 %</translation>
    </message>
    <message>
        <source>This birth cannot be cast: %1</source>
        <translation>ผูกดวงนี้ไม่ได้: %1</translation>
    </message>
    <message>
        <source>Vesprin desk</source>
        <translation>Vesprin โต๊ะผูกดวง</translation>
    </message>
    <message>
        <source>Vesprin desk – %1</source>
        <translation>Vesprin โต๊ะผูกดวง – %1</translation>
    </message>
    <message>
        <source>Sent to the printer %1</source>
        <translation>ส่งไปเครื่องพิมพ์ %1 แล้ว</translation>
    </message>
    <message>
        <source>No printer is ready: the sheet was saved as %1</source>
        <translation>ไม่มีเครื่องพิมพ์ที่พร้อม บันทึกแผ่นดวงไว้ที่ %1</translation>
    </message>
    <message>
        <source>The sheet could not be printed: %1</source>
        <translation>พิมพ์แผ่นดวงไม่ได้: %1</translation>
    </message>
    <message>
        <source>The printer %1 cannot be used</source>
        <translation>ใช้เครื่องพิมพ์ %1 ไม่ได้</translation>
    </message>
    <message>
        <source>Sent to %1</source>
        <translation>ส่งไปที่ %1 แล้ว</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>ดวง</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>บันทึก %1 แล้ว</translation>
    </message>
    <message>
        <source>Save the sheet as PDF</source>
        <translation>บันทึกแผ่นดวงเป็น PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The PDF could not be written: %1</source>
        <translation>เขียน PDF ไม่ได้: %1</translation>
    </message>
    <message>
        <source>nothing to hand over</source>
        <translation>ยังไม่มีดวงที่จะส่งต่อ</translation>
    </message>
    <message>
        <source>Hand-over files written into %1</source>
        <translation>เขียนไฟล์ส่งต่อไว้ใน %1 แล้ว</translation>
    </message>
    <message>
        <source>Folder for the hand-over files</source>
        <translation>โฟลเดอร์ของไฟล์ส่งต่อ</translation>
    </message>
    <message>
        <source>The hand-over files could not be written: %1</source>
        <translation>เขียนไฟล์ส่งต่อไม่ได้: %1</translation>
    </message>
    <message>
        <source>The hand-over files carry the hour only; the engine reads the minute as 00 (the chart is the same).</source>
        <translation>ไฟล์ส่งต่อมีเฉพาะชั่วโมง เครื่องที่พิมพ์จะอ่านนาทีเป็น 00 (ดวงยังเหมือนเดิม)</translation>
    </message>
    <message>
        <source>No client book is open: write a PDF or the hand-over files instead</source>
        <translation>ยังไม่ได้เปิดสมุดลูกค้า บันทึกเป็น PDF หรือเขียนไฟล์ส่งต่อแทน</translation>
    </message>
</context>
<context>
    <name>vesprin::MarksPicture</name>
    <message>
        <source>Click a mark to draw it in the chosen pen; click it again to take it away</source>
        <translation>คลิกที่เส้นเพื่อวาดด้วยเส้นและสีที่เลือก คลิกอีกครั้งเพื่อลบ</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>ปี</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>เดือน</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>วัน</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>ยาม</translation>
    </message>
</context>
</TS>