<?xml version="1.0" encoding="UTF-8"?>
<!-- The season tables: the season report and the progressive and
     championship points reports import this. Their data files are column
     lists, one Row per member and column (columnid, columnname, data), and
     every row of a member carries memberid; the tables put the members down
     and the columns across, grouped by grade, best total first and, among
     equal totals, the lower member id first. The importing definition
     names its rows as the global $rows.

     A large club's file holds tens of thousands of rows, and every step
     of a definition costs, so the data file is walked as few times as
     possible: it has two keys (a member's rows, a column's rows), since
     every key is built over the whole file the first time any key is used
     on it, and nothing else walks all its rows unless the last member
     lacks a column. The column list and the board of member totals are
     small trees made once (lx:node-set); their keys test their entries,
     which costs nothing on the data file. A member has one row per column, so a member
     with as many rows as there are columns (all with different ids) has
     every column.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:lx="http://xmlsoft.org/XSLT/namespace" exclude-result-prefixes="lx">
  <xsl:output method="html" encoding="UTF-8" indent="no"/>
  <xsl:param name="data" select="''"/>

  <!-- The column that holds a member's total. -->
  <xsl:variable name="totalColumn" select="9999"/>

  <xsl:key name="member" match="/Data/Row" use="memberid"/>
  <xsl:key name="column" match="/Data/Row" use="columnid"/>
  <xsl:key name="lastColumn" match="/column[@id]" use="@id"/>
  <xsl:key name="otherColumn" match="/other[@id]" use="@id"/>
  <xsl:key name="grade" match="/total[@g]" use="@g"/>
  <xsl:key name="tie" match="/member[@n]" use="@n"/>

  <!-- A node of the data file: the context key('member', ...) needs
       while walking one of the small trees. -->
  <xsl:variable name="anchor" select="$rows[1]"/>

  <!-- One entry for each column of the table, in column order: id, name,
       and whether it is the total (t) or not (nt). The last member has most
       of the columns (every trip, or every species met before him); the
       others are found among the rest. -->
  <xsl:variable name="lastMember" select="$rows[last()]/memberid"/>
  <xsl:variable name="lastColumns">
    <xsl:for-each select="$anchor">
      <xsl:for-each select="key('member', $lastMember)">
        <column id="{columnid}" name="{columnname}" t="{number(columnid = $totalColumn)}" nt="{number(columnid != $totalColumn)}"/>
      </xsl:for-each>
    </xsl:for-each>
  </xsl:variable>
  <!-- The last member's column ids, each between two line ends. -->
  <xsl:variable name="lastIds">
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="lx:node-set($lastColumns)/column"><xsl:value-of select="@id"/><xsl:text>&#10;</xsl:text></xsl:for-each>
  </xsl:variable>
  <xsl:variable name="lastIdList" select="string($lastIds)"/>
  <!-- Whether the last member's columns, each once, hold every row: the
       rows of each column counted one column at a time (a key asked for
       many values at once gathers them slowly). -->
  <xsl:variable name="lastColumnSizes">
    <xsl:for-each select="lx:node-set($lastColumns)/column[generate-id() = generate-id(key('lastColumn', @id)[1])]">
      <xsl:variable name="id" select="string(@id)"/>
      <xsl:for-each select="$anchor"><size><xsl:value-of select="count(key('column', $id))"/></size></xsl:for-each>
    </xsl:for-each>
  </xsl:variable>
  <xsl:variable name="covered"
                select="count(lx:node-set($lastColumnSizes)/size) = count(lx:node-set($lastColumns)/column) and
                        sum(lx:node-set($lastColumnSizes)/size) = count($rows)"/>
  <xsl:variable name="otherTree">
    <xsl:if test="not($covered)">
      <xsl:for-each select="$rows[not(contains($lastIdList, concat('&#10;', columnid, '&#10;')))]">
        <other id="{columnid}" name="{columnname}" t="{number(columnid = $totalColumn)}" nt="{number(columnid != $totalColumn)}"/>
      </xsl:for-each>
    </xsl:if>
  </xsl:variable>
  <xsl:variable name="columnsInFileOrder">
    <xsl:for-each select="lx:node-set($otherTree)/other[generate-id() = generate-id(key('otherColumn', @id)[1])]">
      <column id="{@id}" name="{@name}" t="{@t}" nt="{@nt}"/>
    </xsl:for-each>
    <xsl:copy-of select="$lastColumns"/>
  </xsl:variable>
  <xsl:variable name="columnTree">
    <xsl:for-each select="lx:node-set($columnsInFileOrder)/column">
      <xsl:sort select="@id" data-type="number"/>
      <xsl:copy-of select="."/>
    </xsl:for-each>
  </xsl:variable>
  <xsl:variable name="columns" select="lx:node-set($columnTree)/column"/>
  <xsl:variable name="columnCount" select="count($columns)"/>
  <!-- Whether a member with as many rows as there are columns has a row
       for every column, and the total where the total column is: no two
       columns share an id, and one of them is the total. -->
  <xsl:variable name="oneRowPerColumn"
                select="not($columns[@id = following-sibling::column/@id]) and count($columns[@t = 1]) = 1"/>
  <xsl:variable name="totalPosition" select="count($columns[@t = 1]/preceding-sibling::column) + 1"/>

  <!-- The board: one entry per member, from the member's total row, in
       file order; a total row without a grade name has no place on it.
       Every row's column is in $columns, so the rows of its total columns
       are all the total rows. -->
  <xsl:variable name="totalIds" select="$columns[@t = 1]/@id"/>
  <xsl:variable name="totalsTree">
    <xsl:for-each select="$anchor">
      <xsl:for-each select="key('column', $totalIds)[gradename]">
        <total g="{gradename}" gp="{gradeposition}" d="{data}" m="{memberid}" name="{fullname}"/>
      </xsl:for-each>
    </xsl:for-each>
  </xsl:variable>
  <!-- Each grade once (its first member's entry), in the order the tables
       show them. -->
  <xsl:variable name="gradesTree">
    <xsl:for-each select="lx:node-set($totalsTree)/total[generate-id() = generate-id(key('grade', @g)[1])]">
      <xsl:sort select="number(not(normalize-space(@g)))" data-type="number"/>
      <xsl:sort select="@gp" data-type="number"/>
      <xsl:sort select="@g"/>
      <xsl:copy-of select="."/>
    </xsl:for-each>
  </xsl:variable>
  <xsl:variable name="grades" select="lx:node-set($gradesTree)/total"/>
  <xsl:variable name="board" select="lx:node-set($totalsTree)/total"/>

  <xsl:template name="styles">
    <style>
      body { font-family: 'DejaVu Sans'; font-size: 8.5pt; color: #222; }
      h1 { font-size: 15pt; color: #1f3a5f; margin: 0 0 2px 0; }
      h2 { font-size: 11pt; color: #1f3a5f; margin: 16px 0 4px 0; }
      .sub { color: #444; margin: 0 0 8px 0; }
      th { background: #1f3a5f; color: white; font-weight: bold; padding: 3px 3px; font-size: 8pt; }
      th.name { text-align: left; }
      td { padding: 2px 3px; }
      td.n { text-align: right; white-space: nowrap; }
      td.z { text-align: right; white-space: nowrap; color: #9aa4b0; }
      td.t { text-align: right; white-space: nowrap; font-weight: bold; background: #f1f4f8; }
      td.pos { text-align: right; color: #555; white-space: nowrap; }
      td.name { white-space: nowrap; }
      tr.grade td { background: #e8eef5; color: #1f3a5f; font-weight: bold; padding-top: 5px; }
      .small { color: #666; font-size: 7.5pt; }
      p.none { color: #666; font-style: italic; }
      <!-- Many columns: a smaller hand, so that a season of trips still fits across the page. -->
      <xsl:choose>
        <xsl:when test="$columnCount &gt; 20">td, th { font-size: 6pt; padding: 1px 1px; }</xsl:when>
        <xsl:when test="$columnCount &gt; 14">td, th { font-size: 6.5pt; padding: 1px 2px; }</xsl:when>
      </xsl:choose>
    </style>
  </xsl:template>

  <!-- The heading line under the title: division and season. -->
  <xsl:template name="subtitle">
    <xsl:param name="first"/>
    <p class="sub">
      <xsl:value-of select="$first/divisionname"/>
      <xsl:text> &#8212; </xsl:text>
      <xsl:value-of select="$first/seasondesc"/>
    </p>
  </xsl:template>

  <!-- The table: members down, columns across. $blank: what a missing
       cell shows; $prefix: put before each non-total column's name. -->
  <xsl:template name="cross-tab">
    <xsl:param name="blank" select="''"/>
    <xsl:param name="prefix" select="''"/>
    <table width="100%" cellspacing="0" class="grid">
      <thead><tr>
        <th style="white-space: nowrap;">Pos</th>
        <th class="name">Angler</th>
        <xsl:for-each select="$columns">
          <th><xsl:if test="@nt = 1"><xsl:value-of select="$prefix"/></xsl:if><xsl:value-of select="@name"/></th>
        </xsl:for-each>
      </tr></thead>
      <xsl:for-each select="$grades">
        <xsl:variable name="grade" select="string(@g)"/>
        <tr class="grade">
          <td colspan="{$columnCount + 2}">
            <xsl:choose>
              <xsl:when test="normalize-space($grade)"><xsl:value-of select="$grade"/></xsl:when>
              <xsl:otherwise>No grade</xsl:otherwise>
            </xsl:choose>
          </td>
        </tr>
        <xsl:variable name="ranked">
          <xsl:call-template name="ranked"><xsl:with-param name="grade" select="$grade"/></xsl:call-template>
        </xsl:variable>
        <xsl:for-each select="lx:node-set($ranked)/member">
          <xsl:variable name="member" select="string(@m)"/>
          <tr>
            <xsl:if test="position() mod 2 = 0"><xsl:attribute name="bgcolor">#f2f5f9</xsl:attribute></xsl:if>
            <td class="pos"><xsl:call-template name="rank"/></td>
            <td class="name"><xsl:value-of select="@name"/></td>
            <xsl:for-each select="$anchor">
              <xsl:variable name="mine" select="key('member', $member)"/>
              <xsl:choose>
                <!-- A member with a row for every column: the rows in column order. -->
                <xsl:when test="$oneRowPerColumn and count($mine) = $columnCount">
                  <xsl:for-each select="$mine">
                    <xsl:sort select="columnid" data-type="number"/>
                    <xsl:choose>
                      <xsl:when test="position() = $totalPosition"><td class="t"><xsl:value-of select="data"/></td></xsl:when>
                      <xsl:when test="number(data) = 0"><td class="z"><xsl:value-of select="data"/></td></xsl:when>
                      <xsl:otherwise><td class="n"><xsl:value-of select="data"/></td></xsl:otherwise>
                    </xsl:choose>
                  </xsl:for-each>
                </xsl:when>
                <xsl:otherwise>
                  <xsl:for-each select="$columns">
                    <xsl:variable name="cell" select="$mine[columnid = current()/@id]"/>
                    <xsl:choose>
                      <xsl:when test="@t = 1">
                        <td class="t"><xsl:value-of select="$cell/data"/></td>
                      </xsl:when>
                      <xsl:when test="not($cell)">
                        <td class="z"><xsl:value-of select="$blank"/></td>
                      </xsl:when>
                      <xsl:when test="number($cell/data) = 0">
                        <td class="z"><xsl:value-of select="$cell/data"/></td>
                      </xsl:when>
                      <xsl:otherwise>
                        <td class="n"><xsl:value-of select="$cell/data"/></td>
                      </xsl:otherwise>
                    </xsl:choose>
                  </xsl:for-each>
                </xsl:otherwise>
              </xsl:choose>
            </xsl:for-each>
          </tr>
        </xsl:for-each>
      </xsl:for-each>
    </table>
  </xsl:template>

  <!-- A grade's members best total first (the lower member id first among
       equal totals), each with its place in that order (p) and its total as
       a number (n). -->
  <xsl:template name="ranked">
    <xsl:param name="grade"/>
    <xsl:for-each select="$board[1]">
      <xsl:for-each select="key('grade', $grade)">
        <xsl:sort select="@d" data-type="number" order="descending"/>
        <xsl:sort select="@m" data-type="number"/>
        <member p="{position()}" n="{number(@d)}" d="{@d}" m="{@m}" name="{@name}"/>
      </xsl:for-each>
    </xsl:for-each>
  </xsl:template>

  <!-- A ranked member's position: one more than the members of the grade
       with a higher total, which is the place of the first member with the
       same total. A total that is not a number has no one above it. -->
  <xsl:template name="rank">
    <xsl:choose>
      <xsl:when test="@n = 'NaN'">1</xsl:when>
      <xsl:otherwise><xsl:value-of select="key('tie', @n)[1]/@p"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
