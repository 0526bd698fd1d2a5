<?xml version="1.0" encoding="UTF-8"?>
<!-- The progressive and championship points reports: both read
     rptProgressPts.xml (a total row, column 9999, and one row per trip
     shown for each member). rptProgressPts and rptChampionshipPts import
     this and set $title, $note and $race. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:lx="http://xmlsoft.org/XSLT/namespace" exclude-result-prefixes="lx">
  <xsl:import href="seasonTables.xsl"/>
  <xsl:param name="title" select="'Points'"/>
  <xsl:param name="note" select="''"/>
  <!-- Whether the season race charts follow the table. -->
  <xsl:param name="race" select="false()"/>
  <xsl:param name="leaders" select="5"/>

  <xsl:variable name="rows" select="document(concat($data, 'rptProgressPts.xml'))/Data/Row"/>
  <!-- Characters that would break a chart's source, and what they become. -->
  <xsl:variable name="unsafe">|~%&amp;&lt;&gt;"</xsl:variable>
  <xsl:variable name="safe">/-</xsl:variable>

  <xsl:template match="/">
    <html>
      <head>
        <title><xsl:value-of select="$title"/></title>
        <xsl:if test="$columnCount &gt; 7 or $race">
          <meta name="orientation" content="landscape"/>
        </xsl:if>
        <xsl:call-template name="styles"/>
      </head>
      <body>
        <h1><xsl:value-of select="$title"/></h1>
        <xsl:call-template name="subtitle"><xsl:with-param name="first" select="$rows[1]"/></xsl:call-template>
        <xsl:choose>
          <xsl:when test="$rows">
            <xsl:call-template name="cross-tab">
              <xsl:with-param name="prefix" select="'Trip '"/>
            </xsl:call-template>
            <p class="small"><xsl:value-of select="$note"/> (L) ladies; (V) veteran.</p>
            <xsl:if test="$race">
              <xsl:call-template name="race"/>
            </xsl:if>
          </xsl:when>
          <xsl:otherwise><p class="none">No member fished a trip of this division and season.</p></xsl:otherwise>
        </xsl:choose>
      </body>
    </html>
  </xsl:template>

  <!-- The season race: per grade, its leaders' points added up trip by
       trip, two charts to a row. -->
  <xsl:template name="race">
    <h2 style="page-break-before: always;">The Season Race</h2>
    <p class="small">Each grade's leaders (up to <xsl:value-of select="$leaders"/>): their points added up trip by trip.</p>
    <table width="100%">
      <xsl:for-each select="$grades">
        <xsl:if test="position() mod 2 = 1">
          <xsl:variable name="next" select="position() + 1"/>
          <tr>
            <td style="border: none; padding: 4px 6px 4px 0;"><xsl:call-template name="race-chart"/></td>
            <td style="border: none; padding: 4px 0;">
              <xsl:for-each select="$grades[$next]"><xsl:call-template name="race-chart"/></xsl:for-each>
            </td>
          </tr>
        </xsl:if>
      </xsl:for-each>
    </table>
  </xsl:template>

  <!-- One grade's chart; the context is the grade's entry in $grades. -->
  <xsl:template name="race-chart">
    <xsl:variable name="grade" select="string(@g)"/>
    <xsl:variable name="trips" select="$columns[@nt = 1]"/>
    <xsl:variable name="ranked">
      <xsl:call-template name="ranked"><xsl:with-param name="grade" select="$grade"/></xsl:call-template>
    </xsl:variable>
    <xsl:variable name="src">
      <xsl:text>chart:</xsl:text>
      <xsl:choose>
        <xsl:when test="normalize-space($grade)"><xsl:value-of select="translate($grade, $unsafe, $safe)"/></xsl:when>
        <xsl:otherwise>No grade</xsl:otherwise>
      </xsl:choose>
      <xsl:text>~Trip~Points|</xsl:text>
      <xsl:for-each select="$trips">
        <xsl:if test="position() &gt; 1">~</xsl:if>
        <xsl:value-of select="translate(@name, $unsafe, $safe)"/>
      </xsl:for-each>
      <xsl:for-each select="lx:node-set($ranked)/member[position() &lt;= $leaders]">
        <xsl:variable name="member" select="string(@m)"/>
        <xsl:text>|</xsl:text>
        <xsl:value-of select="translate(@name, $unsafe, $safe)"/>
        <xsl:for-each select="$anchor">
          <xsl:variable name="mine" select="key('member', $member)"/>
          <xsl:choose>
            <!-- A row for every column: the trips' points in column order,
                 each added to those before it. -->
            <xsl:when test="$oneRowPerColumn and count($mine) = $columnCount">
              <xsl:variable name="points">
                <xsl:for-each select="$mine[columnid != $totalColumn]">
                  <xsl:sort select="columnid" data-type="number"/>
                  <trip points="{data}"/>
                </xsl:for-each>
              </xsl:variable>
              <xsl:for-each select="lx:node-set($points)/trip">
                <xsl:text>~</xsl:text>
                <xsl:value-of select="format-number(sum(preceding-sibling::trip/@points) + @points, '0.00')"/>
              </xsl:for-each>
            </xsl:when>
            <xsl:otherwise>
              <xsl:for-each select="$trips">
                <xsl:variable name="upTo" select="number(@id)"/>
                <xsl:text>~</xsl:text>
                <xsl:value-of select="format-number(sum($mine[columnid != $totalColumn and number(columnid) &lt;= $upTo]/data), '0.00')"/>
              </xsl:for-each>
            </xsl:otherwise>
          </xsl:choose>
        </xsl:for-each>
      </xsl:for-each>
    </xsl:variable>
    <img src="{$src}" width="485" height="250"/>
  </xsl:template>
</xsl:stylesheet>
